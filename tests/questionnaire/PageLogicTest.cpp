#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "questionnaire/QuestionnaireLogic.h"

namespace tomira {
namespace {

// The box texts of a page whose row k holds the entry of value(k).
PageAnswers Answers(const std::function<int(int)>& value)
{
    PageAnswers answers;
    for (int k = 0; k < kRowsPerPage; ++k) {
        answers[k] = std::string(AnswerScale()[value(k) - 1]);
    }
    return answers;
}

PageAnswers AllAnswers(int value)
{
    return Answers([value](int) { return value; });
}

class PageLogicTest : public ::testing::Test {
protected:
    // Opens the questionnaire and accepts full pages until `offset` is shown.
    void OpenAt(std::int16_t offset)
    {
        logic.InitQuestionnaire();
        while (logic.PageOffset() != offset) {
            ASSERT_EQ(logic.AcceptPage(AllAnswers(3)).result, PageResult::Accepted);
        }
    }

    std::int16_t& ScoreOf(std::int16_t offset)
    {
        return offset == kVataPage ? state.gVata : offset == kPittaPage ? state.gPitta : state.gKapha;
    }

    modCommon state;
    QuestionnaireLogic logic{state};
};

TEST_F(PageLogicTest, OpeningShowsTheVataPageWithAnswersCleared)
{
    state.gPageOffset = kDonePage;
    state.gAnswer.fill(5);
    state.gVata = 77;
    state.gKapha = 33;
    logic.InitQuestionnaire();
    EXPECT_EQ(state.gPageOffset, kVataPage);
    for (const auto answer : state.gAnswer) {
        ASSERT_EQ(answer, 0);
    }
    EXPECT_EQ(state.gVata, 77);  // scores wait for their page
    EXPECT_EQ(state.gKapha, 33);
    EXPECT_TRUE(logic.NextEnabled());
    EXPECT_FALSE(logic.ResultEnabled());
    EXPECT_EQ(logic.Captions(), (ScoreCaptions{"ｳﾞｧｰﾀ:", "ﾋﾟｯﾀ:", "ｶﾊﾟ:", "合計:", "平均:"}));
    EXPECT_EQ((*logic.PageStatements())[0], StatementText(1));
}

TEST_F(PageLogicTest, RefusalNamesTheFirstEmptyRowOnEveryPage)
{
    for (const std::int16_t offset : {kVataPage, kPittaPage, kKaphaPage}) {
        for (int row = 1; row <= kRowsPerPage; ++row) {
            SCOPED_TRACE(testing::Message() << "page " << offset << " row " << row);
            OpenAt(offset);
            const std::int16_t scoreBefore = ScoreOf(offset);
            const ScoreCaptions captionsBefore = logic.Captions();
            PageAnswers answers = Answers([](int k) { return k % 6 + 1; });
            answers[row - 1].clear();
            if (row < kRowsPerPage) {
                answers[kRowsPerPage - 1].clear();  // a later gap is not named
            }

            const PageOutcome outcome = logic.AcceptPage(answers);
            EXPECT_EQ(outcome.result, PageResult::Refused);
            EXPECT_EQ(outcome.missingRow, row);
            EXPECT_EQ(outcome.message, std::to_string(row) + "番目のデータが未入力です。");
            EXPECT_EQ(state.gPageOffset, offset);
            EXPECT_EQ(ScoreOf(offset), scoreBefore);
            EXPECT_EQ(logic.Captions(), captionsBefore);
            EXPECT_TRUE(logic.NextEnabled());
            // Rows above the gap are stored; the gap and below are not.
            for (int k = 0; k < kRowsPerPage; ++k) {
                EXPECT_EQ(state.gAnswer[offset + k], k < row - 1 ? k % 6 + 1 : 0) << "row " << k + 1;
            }
        }
    }
}

TEST_F(PageLogicTest, FillingTheNamedRowNamesTheNextGap)
{
    OpenAt(kVataPage);
    PageAnswers answers = AllAnswers(2);
    answers[2].clear();
    answers[6].clear();
    EXPECT_EQ(logic.AcceptPage(answers).message, "3番目のデータが未入力です。");
    answers[2] = std::string(AnswerScale()[0]);
    EXPECT_EQ(logic.AcceptPage(answers).message, "7番目のデータが未入力です。");
    answers[6] = std::string(AnswerScale()[5]);
    EXPECT_EQ(logic.AcceptPage(answers).result, PageResult::Accepted);
    EXPECT_EQ(state.gVata, 18 * 2 + 1 + 6);
}

TEST_F(PageLogicTest, APageAcceptedAfterRefusalsScoresOnce)
{
    for (const std::int16_t offset : {kVataPage, kPittaPage, kKaphaPage}) {
        SCOPED_TRACE(offset);
        const PageAnswers full = Answers([](int k) { return (k * 7) % 6 + 1; });
        OpenAt(offset);
        ASSERT_EQ(logic.AcceptPage(full).result, PageResult::Accepted);
        const std::int16_t firstTime = ScoreOf(offset);

        OpenAt(offset);
        PageAnswers gaps = full;
        gaps[19].clear();
        ASSERT_EQ(logic.AcceptPage(gaps).result, PageResult::Refused);
        ASSERT_EQ(logic.AcceptPage(gaps).result, PageResult::Refused);
        gaps[0].clear();
        ASSERT_EQ(logic.AcceptPage(gaps).result, PageResult::Refused);
        ASSERT_EQ(logic.AcceptPage(full).result, PageResult::Accepted);
        EXPECT_EQ(ScoreOf(offset), firstTime);
        int sum = 0;
        for (int k = 0; k < kRowsPerPage; ++k) {
            sum += (k * 7) % 6 + 1;
        }
        EXPECT_EQ(firstTime, sum);
    }
}

TEST_F(PageLogicTest, AllOnesAndAllSixesGiveTheBoundsOfAScore)
{
    logic.InitQuestionnaire();
    ASSERT_EQ(logic.AcceptPage(AllAnswers(1)).result, PageResult::Accepted);
    EXPECT_EQ(state.gVata, 20);
    EXPECT_EQ(logic.Captions().vata, "ｳﾞｧｰﾀ:20");

    logic.InitQuestionnaire();
    ASSERT_EQ(logic.AcceptPage(AllAnswers(6)).result, PageResult::Accepted);
    EXPECT_EQ(state.gVata, 120);
    EXPECT_EQ(logic.Captions().vata, "ｳﾞｧｰﾀ:120");
}

TEST_F(PageLogicTest, ThreePagesRunThroughTheStates)
{
    struct Step {
        std::int16_t offsetBefore;
        int answer;  // every row of the page
        std::int16_t offsetAfter;
        ScoreCaptions captions;
        bool nextEnabled, resultEnabled;
    };
    const Step steps[] = {
        {kVataPage, 4, kPittaPage, {"ｳﾞｧｰﾀ:80", "ﾋﾟｯﾀ:", "ｶﾊﾟ:", "合計:", "平均:"}, true, false},
        {kPittaPage, 3, kKaphaPage, {"ｳﾞｧｰﾀ:80", "ﾋﾟｯﾀ:60", "ｶﾊﾟ:", "合計:", "平均:"}, true, false},
        {kKaphaPage, 2, kDonePage, {"ｳﾞｧｰﾀ:80", "ﾋﾟｯﾀ:60", "ｶﾊﾟ:40", "合計:", "平均:"}, false, true},
    };
    logic.InitQuestionnaire();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.offsetBefore);
        ASSERT_EQ(state.gPageOffset, step.offsetBefore);
        EXPECT_EQ((*logic.PageStatements())[0], StatementText(step.offsetBefore + 1));
        EXPECT_EQ(logic.AcceptPage(AllAnswers(step.answer)).result, PageResult::Accepted);
        EXPECT_EQ(state.gPageOffset, step.offsetAfter);
        EXPECT_EQ(logic.Captions(), step.captions);
        EXPECT_EQ(logic.NextEnabled(), step.nextEnabled);
        EXPECT_EQ(logic.ResultEnabled(), step.resultEnabled);
    }
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(state.gAnswer[i], i < 20 ? 4 : i < 40 ? 3 : 2) << i;
    }
    for (int i = 60; i <= 100; ++i) {
        EXPECT_EQ(state.gAnswer[i], 0) << i;
    }
    // After the last page the rows are empty and there is nothing to accept.
    const std::optional<PageTexts> rows = logic.PageStatements();
    ASSERT_TRUE(rows.has_value());
    for (const auto& text : *rows) {
        EXPECT_EQ(text, "");
    }
    EXPECT_EQ(logic.AcceptPage(AllAnswers(6)).result, PageResult::NotAPage);
    EXPECT_EQ(state.gPageOffset, kDonePage);
    EXPECT_EQ(state.gKapha, 40);
}

TEST_F(PageLogicTest, ResultJudgesThenResetsToTheFirstPage)
{
    state.gQuestionActive = kTrue;
    logic.InitQuestionnaire();
    for (const int value : {5, 3, 2}) {
        ASSERT_EQ(logic.AcceptPage(AllAnswers(value)).result, PageResult::Accepted);
    }
    const Judgement j = logic.JudgeConstitution();
    EXPECT_EQ(j.constitution, "ヴァータ");  // 100, 60, 40: average 67
    EXPECT_EQ(logic.Captions().sum, "合計:200");
    EXPECT_EQ(logic.Captions().avg, "平均:67");
    EXPECT_EQ(state.gConstitution, "ヴァータ");

    logic.ResetAfterResult();
    EXPECT_EQ(state.gPageOffset, kVataPage);
    EXPECT_TRUE(logic.NextEnabled());
    EXPECT_FALSE(logic.ResultEnabled());
    EXPECT_EQ(logic.Captions(), FixedScoreCaptions());
    EXPECT_EQ(state.gQuestionActive, kTrue);  // only closing ends the wait

    logic.Close();
    EXPECT_EQ(state.gQuestionActive, kFalse);
    EXPECT_EQ(state.gConstitution, "ヴァータ");
    EXPECT_EQ(state.gVata, 100);
}

}  // namespace
}  // namespace tomira
