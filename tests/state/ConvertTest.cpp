#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>

#include "state/DisplayFormat.h"
#include "state/Units.h"
#include "state/modDiv.h"
#include "state/modConvert.h"

namespace tomira {
namespace {

TEST(ToIntSafe, RoundsHalvesToEvenAndOverflowsBeyondSixteenBits)
{
    const std::pair<Variant, std::int16_t> cases[] = {
        {Variant::Null(), 0},
        {Variant(), 0},
        {Variant(""), 0},
        {Variant("170"), 170},
        {Variant("12.5"), 12},
        {Variant("13.5"), 14},
        {Variant("-0.5"), 0},
        {Variant("0.6"), 1},
        {Variant(2.5), 2},
        {Variant("32767.4"), 32767},
        {Variant("-32768.5"), -32768},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(ToIntSafe(value), expected) << ToStrSafe(value);
    for (const Variant& value :
         {Variant("32767.5"), Variant("-32769"), Variant("1000000000000"), Variant(std::nan(""))}) {
        EXPECT_EQ(TryToIntSafe(value).fault, ConversionFault::Overflow) << ToStrSafe(value);
    }
    EXPECT_THROW(ToIntSafe(Variant("1e5")), ConversionError);
}

TEST(ParseNumberText, AcceptsTheFormsPeopleType)
{
    const std::pair<std::string, double> cases[] = {
        {"170.5", 170.5}, {"+65", 65},       {"\u300065 ", 65},     {".5", 0.5},
        {"5.", 5},        {"\t65\t", 65},    {"１７０．５", 170.5}, {"９", 9},
        {"－２０", -20},  {"\u221220", -20}, {"1６", 16},           {"0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseNumberText(text), expected) << text;
}

TEST(ParseNumberText, RejectsEverythingElse)
{
    for (const char* text : {"", " ", "-", ".", "170cm", "1,700", "1e5", "inf", "0x10", "1.2.3", "1 7", "5-", "6\t5",
                             "６５ｋｇ", "\xff", "\xc0\xaf", "- 5"}) {
        EXPECT_EQ(TryParseNumberText(text).fault, ConversionFault::NotANumber) << text;
    }
    EXPECT_EQ(TryParseNumberText("-" + std::string(400, '9') + ".5").fault, ConversionFault::Overflow);
}

TEST(DivSafe, ZeroForANullOrAZeroDivisor)
{
    EXPECT_EQ(std::tuple(DivSafe(7.0, 2.0), DivSafe(7.0, 0.0), DivSafe(Variant::Null(), 2.0), DivSafe("7", "")),
              std::tuple(3.5, 0.0, 0.0, 0.0));
}

TEST(Units, TwipsRoundToTheNearestPixel)
{
    for (const auto& [twips, pixels] : {std::pair{7, 0}, {8, 1}, {-8, -1}, {5654, 377}})
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
}

TEST(FormatDisplay, OneDecimalRoundedHalfAwayFromZeroWithoutGrouping)
{
    const std::pair<double, const char*> cases[] = {
        {22, "22.0"},
        {0.25, "0.3"},
        {18.45, "18.5"},
        {-0.25, "-0.3"},
        {9.95, "10.0"},
        {99.96, "100.0"},
        {0.149999, "0.1"},
        {-0.04, "0.0"},
        {65 / (1.7 * 1.7), "22.5"},
        {1e20, "100000000000000000000.0"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(FormatDisplay(value), expected) << value;
    EXPECT_THROW(FormatDisplay(std::numeric_limits<double>::infinity()), std::domain_error);
    EXPECT_THROW(FormatDisplay(std::nan("")), std::domain_error);
}

}  // namespace
}  // namespace tomira
