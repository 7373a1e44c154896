#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "metrics/ExplanationText.h"

namespace tomira {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 2;
    }
}

TEST(ExplanationText, BMIExplanationIsTenLinesJoinedByCrLf)
{
    const std::string text = BMIExplanationText();
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "　BMIとはBody Mass Indexのことで、体型を診断するのに使われる指数です。");
    EXPECT_EQ(lines[2], "　計算式は（体重[kg]÷身長[m]÷身長[m]）です。");
    EXPECT_EQ(lines[7], "　BMIが高めでも体脂肪率が低ければ問題ないそうです。また、BMIが良くても");
    EXPECT_EQ(lines[9], "　両方が悪い人は、食事療法と運動療法が必要だそうです。");
    for (const std::size_t empty : {1u, 3u, 5u}) {
        EXPECT_EQ(lines[empty], "") << empty;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            EXPECT_EQ(lines[i].rfind("\u3000", 0), 0u) << "line " << i << " begins with U+3000";
        }
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i;
    }
}

TEST(ExplanationText, ResultColourComesFromTheBodyTypeByExactComparison)
{
    struct Case {
        const char* bodyType;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"やせ型", 0x00FFFFC0},  {"普通型", 0x00C0FFC0}, {"肥満型", 0x00FFC0FF},
        {"", 0x00C0C0FF},        {"普通型 ", 0x00C0C0FF}, {"ヤセ型", 0x00C0C0FF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BMIResultColour(c.bodyType), c.colour) << c.bodyType;
    }
}

TEST(ExplanationText, BMIIsPresentWhenItRoundsToAWholeNumberOtherThanZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double bmi;
        bool present;
    };
    const Case cases[] = {
        {0.0, false},  {0.5, false},   {-0.5, false},   {0.49, false},   {0.51, true},
        {-0.51, true}, {1.5, true},    {22.0, true},    {32767.0, true}, {40000.0, true},
        {-40000, true}, {1e300, true}, {inf, false},    {std::nan(""), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsBMIPresent(c.bmi), c.present) << c.bmi;
    }
}

TEST(ExplanationText, AValueThatCannotBeShownReadsAsUnknown)
{
    // The dialogs' own cases run through the widgets; these cannot arise
    // from the fields and are only guarded here.
    modCommon state;
    state.gBMI = 40000;
    EXPECT_EQ(BMIResultSentence(state), "あなたのBMIは「40000.0：」です。");
    state.gBMI = 22;
    state.gIdealWeight = std::numeric_limits<double>::infinity();
    state.gFatMass = std::nan("");
    EXPECT_EQ(IdealWeightResultSentence(state), "あなたの理想体重は「不明」です。");
    EXPECT_EQ(FatMassResultSentence(state), "あなたの体脂肪量は「不明」です。");
}

}  // namespace
}  // namespace tomira
