// The statement catalogue, the page logic of the questionnaire and the constitution typing.
#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

#include "questionnaire/ConstitutionJudge.h"
#include "questionnaire/QuestionCatalogue.h"
#include "questionnaire/QuestionnaireLogic.h"

namespace tomira {
namespace {

TEST(CatalogueTest, SixtyStatementsInTheirOrderOnTheirPages)
{
    // Every row in order as one FNV-1a digest (rows end in "\n"); spelt out: rows 6, 8 (reworded) and the last.
    std::uint64_t digest = 14695981039346656037u;
    for (const std::int16_t page : {kVataPage, kPittaPage, kKaphaPage}) {
        const PageTexts rows = PageStatementTexts(page).value();
        for (const std::string& row : rows) {
            for (const char c : row + "\n") digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211u;
        }
    }
    EXPECT_EQ(digest, 0x524c44826beb589fu);
    const std::tuple<std::int16_t, int, const char*> rows[] = {
        {kVataPage, 5, " 足取りが軽く、せかせかと速く歩く。"},
        {kVataPage, 7, " お腹にガスがたまったり、便秘をしたりしやすい。"},
        {kKaphaPage, 19, " 食べるのが遅く、何事もきちんと順を追って進める。"},
    };
    for (const auto& [page, row, text] : rows) EXPECT_EQ((*PageStatementTexts(page))[row], text) << page << " " << row;
    EXPECT_THROW(StatementText(61), std::out_of_range);
    EXPECT_EQ(std::vector(AnswerScale().begin(), AnswerScale().end()),
              (std::vector<std::string_view>{"1:全く あてはまらない", "2:あまり あてはまらない", "3:少し あてはまる",
                                             "4:まあまあ あてはまる", "5:よく あてはまる", "6:非常によく あてはまる"}));
    EXPECT_FALSE(PageStatementTexts(19).has_value());
    EXPECT_EQ((*PageStatementTexts(kDonePage))[0], "");
}

// The box texts of a page: the entries 1 to 6 in turn, or that of `value` in every row.
PageAnswers Answers(int value = 0)
{
    PageAnswers answers;
    for (int k = 0; k < kRowsPerPage; ++k) {
        answers[k] = std::string(AnswerScale()[(value != 0 ? value : k % 6 + 1) - 1]);
    }
    return answers;
}

class PageLogicTest : public ::testing::Test {
protected:
    modCommon state;
    QuestionnaireLogic logic{state};
};

TEST_F(PageLogicTest, ARefusedPageNamesItsFirstGapAndScoresOnceWhenComplete)
{
    logic.InitQuestionnaire();
    for (const std::int16_t offset : {kVataPage, kPittaPage, kKaphaPage}) {
        SCOPED_TRACE(offset);
        PageAnswers gaps = Answers();
        gaps[2].clear();
        gaps[19].clear();
        PageOutcome outcome = logic.AcceptPage(gaps);
        EXPECT_EQ(outcome.result, PageResult::Refused);
        EXPECT_EQ(outcome.missingRow, 3);
        EXPECT_EQ(outcome.message, "3番目のデータが未入力です。");
        EXPECT_EQ(state.gPageOffset, offset);
        EXPECT_EQ(state.gVata, offset == kVataPage ? 0 : 66);
        gaps[2] = Answers()[2];
        EXPECT_EQ(logic.AcceptPage(gaps).message, "20番目のデータが未入力です。");
        ASSERT_EQ(logic.AcceptPage(Answers()).result, PageResult::Accepted);
        EXPECT_EQ(state.gAnswer[offset + 19], 2);
    }
    // Rows of 1 to 6 in turn: 3 x 21 + 1 + 2, counted once each.
    EXPECT_EQ(state.gVata, 66);
    EXPECT_EQ(state.gPitta, 66);
    EXPECT_EQ(state.gKapha, 66);
}

TEST_F(PageLogicTest, ThreePagesRunThroughTheStatesToTheResultAndBack)
{
    state.gAnswer.fill(5);
    logic.InitQuestionnaire();
    EXPECT_EQ(state.gAnswer[0], 0);
    // The pages as the window shows them: its test.
    for (const int value : {5, 3, 2}) ASSERT_EQ(logic.AcceptPage(Answers(value)).result, PageResult::Accepted);
    EXPECT_EQ(logic.Captions(), (ScoreCaptions{"ｳﾞｧｰﾀ:100", "ﾋﾟｯﾀ:60", "ｶﾊﾟ:40", "合計:", "平均:"}));
    EXPECT_EQ(state.gPageOffset, kDonePage);
    EXPECT_FALSE(logic.NextEnabled());
    EXPECT_TRUE(logic.ResultEnabled());
    EXPECT_EQ(logic.AcceptPage(Answers(6)).result, PageResult::NotAPage);

    EXPECT_EQ(logic.JudgeConstitution().constitution, "ヴァータ");
    EXPECT_EQ(logic.Captions(), (ScoreCaptions{"ｳﾞｧｰﾀ:100", "ﾋﾟｯﾀ:60", "ｶﾊﾟ:40", "合計:200", "平均:67"}));
    EXPECT_EQ(std::tuple(state.gTotal, state.gAverage, state.gConstitution), std::tuple(200, 67, "ヴァータ"));
    logic.ResetAfterResult();
    EXPECT_EQ(state.gPageOffset, kVataPage);
    EXPECT_TRUE(logic.NextEnabled());
    EXPECT_FALSE(logic.ResultEnabled());
    EXPECT_EQ(logic.Captions(), (ScoreCaptions{"ｳﾞｧｰﾀ:", "ﾋﾟｯﾀ:", "ｶﾊﾟ:", "合計:", "平均:"}));
}

TEST(ConstitutionJudgeTest, ScoresGiveTotalRoundedAverageAndType)
{
    const std::tuple<std::int16_t, std::int16_t, std::int16_t, std::int16_t, const char*> cases[] = {
        {85, 60, 50, 65, "ヴァータ"},
        {50, 90, 40, 60, "ピッタ"},
        {40, 50, 95, 62, "カパ"},
        {61, 60, 60, 60, "３ドーシャ"},      // 60.33 rounds down
        {60, 61, 61, 61, "ピッタ・カパ"},    // 60.67 rounds up: 60 is not dominant
        {60, 59, 61, 60, "カパ・ヴァータ"},  // a score equal to the average is dominant
        // Each pair: the higher first; on a tie Vata before Pitta before Kapha, but Kapha before Vata.
        {70, 70, 50, 63, "ヴァータ・ピッタ"},
        {70, 75, 50, 65, "ピッタ・ヴァータ"},
        {50, 70, 70, 63, "ピッタ・カパ"},
        {50, 65, 75, 63, "カパ・ピッタ"},
        {70, 50, 70, 63, "カパ・ヴァータ"},
        {75, 50, 70, 65, "ヴァータ・カパ"},
    };
    for (const auto& [vata, pitta, kapha, average, type] : cases) {
        SCOPED_TRACE(testing::Message() << vata << "/" << pitta << "/" << kapha);
        const Judgement j = JudgeScores(vata, pitta, kapha);
        EXPECT_EQ(j.total, vata + pitta + kapha);
        EXPECT_EQ(j.average, average);
        EXPECT_EQ(j.constitution, type);
    }
    EXPECT_EQ(ConstitutionTypeName(false, false, false, 70, 70, 70), "不明");
}

}  // namespace
}  // namespace tomira
