#include <gtest/gtest.h>

#include "state/modCommon.h"

namespace tomira {
namespace {

TEST(ResetResults, ClearsResultsAndKeepsTheQuestionnaire)
{
    modCommon s;
    s.gPageOffset = 40;
    s.gAnswer[0] = 3;
    s.gAnswer[59] = 6;
    s.gVata = 85;
    s.gPitta = 60;
    s.gKapha = 50;
    s.gTotal = 195;
    s.gAverage = 65;
    s.gConstitution = "ヴァータ";
    s.gBMI = 22.5;
    s.gBodyType = "普通型";
    s.gIdealWeight = 63.6;
    s.gFatMass = 13;
    s.gQuestionActive = kTrue;

    s.ResetResults();

    EXPECT_EQ(s.gQuestionActive, 0);
    EXPECT_EQ(s.gBMI, 0.0);
    EXPECT_EQ(s.gIdealWeight, 0.0);
    EXPECT_EQ(s.gFatMass, 0.0);
    EXPECT_EQ(s.gConstitution, "");
    EXPECT_EQ(s.gBodyType, "");
    EXPECT_EQ(s.gPageOffset, 40);
    EXPECT_EQ(s.gAnswer[0], 3);
    EXPECT_EQ(s.gAnswer[59], 6);
    EXPECT_EQ(s.gVata, 85);
    EXPECT_EQ(s.gPitta, 60);
    EXPECT_EQ(s.gKapha, 50);
    EXPECT_EQ(s.gTotal, 195);
    EXPECT_EQ(s.gAverage, 65);
}

}  // namespace
}  // namespace tomira
