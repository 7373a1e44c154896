#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <stdexcept>

#include "state/DisplayFormat.h"

namespace tomira {
namespace {

TEST(FormatDisplay, RoundsTheDecimalValueHalfAwayFromZero)
{
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {22, "22.0"},        {18.46, "18.5"},    {0.04, "0.0"},       {1234.56, "1234.6"},
        {0.15, "0.2"},       {0.25, "0.3"},      {18.45, "18.5"},     {-0.25, "-0.3"},
        {-20.76, "-20.8"},   {9.95, "10.0"},     {99.96, "100.0"},    {-9.95, "-10.0"},
        {0.05, "0.1"},       {0.149999, "0.1"},  {63.58, "63.6"},     {13.0, "13.0"},
        {-0.04, "0.0"},      {-0.0, "0.0"},      {1e-300, "0.0"},     {12345678.96, "12345679.0"},
        {65 / (1.7 * 1.7), "22.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDisplay(c.value), c.expected) << c.value;
    }
}

TEST(FormatDisplay, HugeValuesKeepEveryDigitWithoutGrouping)
{
    const std::string text = FormatDisplay(1e20);
    EXPECT_EQ(text, "100000000000000000000.0");
    const std::string largest = FormatDisplay(std::numeric_limits<double>::max());
    EXPECT_TRUE(std::regex_match(largest, std::regex("[0-9]{309}\\.0")));
}

TEST(FormatDisplay, RefusesNonFiniteValues)
{
    EXPECT_THROW(FormatDisplay(std::numeric_limits<double>::infinity()), std::domain_error);
    EXPECT_THROW(FormatDisplay(std::nan("")), std::domain_error);
}

}  // namespace
}  // namespace tomira
