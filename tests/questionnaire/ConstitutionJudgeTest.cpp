#include <gtest/gtest.h>

#include "questionnaire/ConstitutionJudge.h"

namespace tomira {
namespace {

TEST(ConstitutionJudgeTest, ScoresGiveTotalAverageAndType)
{
    struct Case {
        std::int16_t vata, pitta, kapha, total, average;
        const char* type;
    };
    const Case cases[] = {
        {85, 60, 50, 195, 65, "ヴァータ"},
        {70, 70, 50, 190, 63, "ヴァータ・ピッタ"},
        {70, 75, 50, 195, 65, "ピッタ・ヴァータ"},
        {70, 50, 70, 190, 63, "カパ・ヴァータ"},
        {75, 50, 70, 195, 65, "ヴァータ・カパ"},
        {50, 70, 70, 190, 63, "ピッタ・カパ"},
        {50, 65, 75, 190, 63, "カパ・ピッタ"},
        {61, 60, 60, 181, 60, "３ドーシャ"},  // 60.33 rounds down
        {60, 61, 61, 182, 61, "ピッタ・カパ"},  // 60.67 rounds up: 60 is not dominant
        {120, 120, 120, 360, 120, "３ドーシャ"},
        {20, 20, 20, 60, 20, "３ドーシャ"},
        {50, 90, 40, 180, 60, "ピッタ"},
        {40, 50, 95, 185, 62, "カパ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.vata << "/" << c.pitta << "/" << c.kapha);
        const Judgement j = JudgeScores(c.vata, c.pitta, c.kapha);
        EXPECT_EQ(j.total, c.total);
        EXPECT_EQ(j.average, c.average);
        EXPECT_EQ(j.constitution, c.type);
        EXPECT_EQ(j.sumCaption, "合計:" + std::to_string(c.total));
        EXPECT_EQ(j.avgCaption, "平均:" + std::to_string(c.average));
    }
}

TEST(ConstitutionJudgeTest, TiesAndOrdersOfEveryPair)
{
    struct Case {
        bool v, p, k;
        std::int16_t vata, pitta, kapha;
        const char* type;
    };
    const Case cases[] = {
        // Vata and Pitta: Vata first on a tie.
        {true, true, false, 70, 70, 0, "ヴァータ・ピッタ"},
        {true, true, false, 71, 70, 0, "ヴァータ・ピッタ"},
        {true, true, false, 70, 71, 0, "ピッタ・ヴァータ"},
        // Pitta and Kapha: Pitta first on a tie.
        {false, true, true, 0, 70, 70, "ピッタ・カパ"},
        {false, true, true, 0, 71, 70, "ピッタ・カパ"},
        {false, true, true, 0, 70, 71, "カパ・ピッタ"},
        // Vata and Kapha: Kapha first on a tie.
        {true, false, true, 70, 0, 70, "カパ・ヴァータ"},
        {true, false, true, 71, 0, 70, "ヴァータ・カパ"},
        {true, false, true, 70, 0, 71, "カパ・ヴァータ"},
        // One, three and none.
        {true, false, false, 70, 0, 0, "ヴァータ"},
        {false, true, false, 0, 70, 0, "ピッタ"},
        {false, false, true, 0, 0, 70, "カパ"},
        {true, true, true, 70, 70, 70, "３ドーシャ"},
        {false, false, false, 70, 70, 70, "不明"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConstitutionTypeName(c.v, c.p, c.k, c.vata, c.pitta, c.kapha), c.type)
            << c.v << c.p << c.k << " " << c.vata << "/" << c.pitta << "/" << c.kapha;
    }
}

TEST(ConstitutionJudgeTest, ReportTextByteForByte)
{
    EXPECT_EQ(JudgeScores(85, 60, 50).report,
              "アユルヴェーダによるあなたの体質は「ヴァータ型」です。\r\n"
              "ヴァータ：85  ピッタ：60  カパ：50\r\n"
              "合計：195  平均：65");
    EXPECT_EQ(JudgeScores(70, 70, 50).report,
              "アユルヴェーダによるあなたの体質は「ヴァータ・ピッタ型」です。\r\n"
              "ヴァータ：70  ピッタ：70  カパ：50\r\n"
              "合計：190  平均：63");
    EXPECT_EQ(JudgeScores(120, 120, 120).report,
              "アユルヴェーダによるあなたの体質は「３ドーシャ型」です。\r\n"
              "ヴァータ：120  ピッタ：120  カパ：120\r\n"
              "合計：360  平均：120");
}

TEST(ConstitutionJudgeTest, JudgingLeavesTotalAverageAndTypeInTheState)
{
    modCommon state;
    state.gVata = 70;
    state.gPitta = 75;
    state.gKapha = 50;
    state.gQuestionActive = kTrue;
    const Judgement j = JudgeConstitution(state);
    EXPECT_EQ(state.gTotal, 195);
    EXPECT_EQ(state.gAverage, 65);
    EXPECT_EQ(state.gConstitution, "ピッタ・ヴァータ");
    EXPECT_EQ(j.constitution, state.gConstitution);
    // The scores and the handshake are the caller's.
    EXPECT_EQ(state.gVata, 70);
    EXPECT_EQ(state.gPitta, 75);
    EXPECT_EQ(state.gKapha, 50);
    EXPECT_EQ(state.gQuestionActive, kTrue);
}

}  // namespace
}  // namespace tomira
