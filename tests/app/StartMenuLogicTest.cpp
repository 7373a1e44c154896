#include <gtest/gtest.h>

#include "app/StartMenuLogic.h"

namespace tomira {
namespace {

TEST(StartMenuLogic, QuestionnaireHandshake)
{
    modCommon state;
    StartMenuLogic logic(state);
    logic.BeginQuestionnaire();
    EXPECT_TRUE(logic.WaitingForQuestionnaire());
    state.gQuestionActive = 0;  // the questionnaire closed
    EXPECT_FALSE(logic.WaitingForQuestionnaire());
    EXPECT_EQ(logic.ConstitutionText(), std::nullopt);  // closed early: the box keeps its text
    state.gConstitution = "ピッタ・ヴァータ";
    EXPECT_EQ(logic.ConstitutionText(), "ピッタ・ヴァータ型");
}

TEST(StartMenuLogic, ClearingEndsTheWaitAndHidesResults)
{
    modCommon state;
    StartMenuLogic logic(state);
    logic.InitMainWindow();
    EXPECT_EQ(logic.mShowResults, kFalse);
    logic.mShowResults = kTrue;
    state.gConstitution = "カパ";
    logic.BeginQuestionnaire();
    logic.ClearResults();
    EXPECT_EQ(logic.mShowResults, kFalse);
    EXPECT_FALSE(logic.WaitingForQuestionnaire());
    EXPECT_EQ(logic.ConstitutionText(), std::nullopt);
}

}  // namespace
}  // namespace tomira
