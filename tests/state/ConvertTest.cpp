#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "state/modConvert.h"
#include "state/modDiv.h"

namespace tomira {
namespace {

class FakeBox : public TextSource {
public:
    explicit FakeBox(std::string text) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }

private:
    std::string text_;
};

using Kind = ConversionError::Kind;

// Runs f and returns the kind of conversion error it threw.
template <typename F>
std::optional<Kind> ErrorOf(F&& f)
{
    try {
        f();
    } catch (const ConversionError& e) {
        return e.kind();
    }
    return std::nullopt;
}

TEST(ToIntSafe, MissingAndEmptyValuesAreZero)
{
    EXPECT_EQ(ToIntSafe(Variant::Null()), 0);
    EXPECT_EQ(ToIntSafe(Variant()), 0);
    EXPECT_EQ(ToIntSafe(Variant("")), 0);
    const FakeBox empty("");
    EXPECT_EQ(ToIntSafe(Variant(empty)), 0);
}

TEST(ToIntSafe, RoundsToNearestWithHalvesToEven)
{
    const FakeBox box("170");
    struct Case {
        Variant value;
        std::int16_t expected;
    };
    const Case cases[] = {
        {Variant("12.5"), 12},  {Variant("13.5"), 14},   {Variant("0.5"), 0},       {Variant("-0.5"), 0},
        {Variant("-1.5"), -2},  {Variant("0.6"), 1},     {Variant(0.4), 0},         {Variant(2.5), 2},
        {Variant(3.5), 4},      {Variant("32767.4"), 32767}, {Variant("-32768.5"), -32768},
        {Variant(std::int16_t{-7}), -7}, {Variant(box), 170},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToIntSafe(c.value), c.expected) << ToStrSafe(c.value);
    }
}

TEST(ToIntSafe, OutOfSixteenBitsIsAnOverflow)
{
    for (const char* text : {"32767.5", "32768", "-32769", "99999", "1000000000000"}) {
        EXPECT_EQ(ErrorOf([&] { ToIntSafe(Variant(text)); }), Kind::Overflow) << text;
    }
    EXPECT_EQ(ErrorOf([] { ToIntSafe(Variant(40000.0)); }), Kind::Overflow);
    EXPECT_EQ(ErrorOf([] { ToIntSafe(Variant(std::nan(""))); }), Kind::Overflow);
}

TEST(ToDblSafe, ReadsNumbersAndTreatsMissingAsZero)
{
    EXPECT_EQ(ToDblSafe(Variant("")), 0.0);
    EXPECT_EQ(ToDblSafe(Variant::Null()), 0.0);
    EXPECT_EQ(ToDblSafe(Variant("170.5")), 170.5);
    const FakeBox box("65");
    EXPECT_EQ(ToDblSafe(Variant(box)), 65.0);
    EXPECT_EQ(ToDblSafe(Variant(std::int16_t{5})), 5.0);
}

TEST(ToStrSafe, GivesTextOfValues)
{
    EXPECT_EQ(ToStrSafe(Variant::Null()), "");
    EXPECT_EQ(ToStrSafe(Variant()), "");
    EXPECT_EQ(ToStrSafe(Variant(std::int16_t{5})), "5");
    EXPECT_EQ(ToStrSafe(Variant(2.5)), "2.5");
    EXPECT_EQ(ToStrSafe(Variant(" ")), " ");  // a blank is text, not empty
    const FakeBox zero("0");
    EXPECT_EQ(ToStrSafe(Variant(zero)), "0");
}

TEST(Variant, ANumberNeverEqualsTheEmptyString)
{
    EXPECT_FALSE(Variant(0.0).EqualsEmptyString());
    EXPECT_FALSE(Variant(std::int16_t{0}).EqualsEmptyString());
    EXPECT_FALSE(Variant::Null().EqualsEmptyString());
    EXPECT_TRUE(Variant().EqualsEmptyString());
    EXPECT_TRUE(Variant("").EqualsEmptyString());
}

TEST(ParseNumberText, AcceptsTheFormsPeopleType)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"170", 170},           {"170.5", 170.5},     {"+65", 65},          {"-60", -60},
        {"  65  ", 65},         {"\u300065\u3000", 65}, {".5", 0.5},        {"5.", 5},
        {"１７０．５", 170.5},  {"－２０", -20},      {"\u221220", -20},    {"＋３", 3},
        {"0", 0},               {"-0", 0},            {"007", 7},           {"1６", 16},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseNumberText(c.text), c.expected) << c.text;
    }
}

TEST(ParseNumberText, RejectsEverythingElseAsNotANumber)
{
    const char* const cases[] = {
        "",      " ",      "\u3000", "-",      "+",     ".",     "abc",    "170cm",  "1,700", "1,70",
        "1e5",   "1e999",  "inf",    "nan",    "NaN",   "0x10",  "1.2.3",  "1 7",    "--5",   "5-",
        "\t65",  "65\n",   "6\r5",   "６５ｋｇ", "١٢",   "\xff",  "\xc0\xaf", "\u200f65", "65\u0301",
        "😀",   "- 5",
    };
    for (const char* text : cases) {
        EXPECT_EQ(ErrorOf([&] { ParseNumberText(text); }), Kind::NotANumber) << text;
    }
}

TEST(ParseNumberText, DigitsBeyondDoubleRangeOverflow)
{
    const std::string huge(400, '9');
    EXPECT_EQ(ErrorOf([&] { ParseNumberText(huge); }), Kind::Overflow);
    EXPECT_EQ(ErrorOf([&] { ParseNumberText("-" + huge + ".5"); }), Kind::Overflow);
}

TEST(DivSafe, NeverDividesByZeroOrNull)
{
    EXPECT_EQ(DivSafe(Variant(60.0), Variant(0.0)), 0.0);
    EXPECT_EQ(DivSafe(Variant(60.0), Variant()), 0.0);
    EXPECT_EQ(DivSafe(Variant::Null(), Variant(2.0)), 0.0);
    EXPECT_EQ(DivSafe(Variant(60.0), Variant::Null()), 0.0);
    EXPECT_DOUBLE_EQ(DivSafe(Variant(60.0), Variant(2.89)), 60.0 / 2.89);
    EXPECT_DOUBLE_EQ(DivSafe(Variant("65"), Variant("2.5")), 26.0);
}

}  // namespace
}  // namespace tomira
