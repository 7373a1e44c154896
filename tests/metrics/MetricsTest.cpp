// The body-metrics calculation and the texts of its explanation dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "metrics/ExplanationText.h"
#include "metrics/MetricsCalculator.h"

namespace tomira {
namespace {

using F = MeasurementField;
using Box = std::optional<std::string>;  // nullopt: unchanged, "": cleared
constexpr Box kSame = std::nullopt;

Box Seen(const ResultBoxUpdate& update)
{
    return update.kind == ResultBoxUpdate::Kind::Unchanged ? kSame : Box(update.text);
}

class CalculatorTest : public ::testing::Test {
protected:
    // A fresh window state after one Calculate of 170 / 65 / 20, or none.
    void Fresh(bool calculated)
    {
        state = modCommon{};
        showResults = kFalse;
        if (calculated) calculator.Calculate({"170", "65", "20"});
    }
    void ExpectBoxes(const MetricsOutcome& out, Box bmi, Box ideal, Box fat)
    {
        EXPECT_EQ(std::tuple(Seen(out.bmi), Seen(out.idealWeight), Seen(out.fatMass)), std::tuple(bmi, ideal, fat));
    }

    modCommon state;
    std::int16_t showResults = kFalse;
    MetricsCalculator calculator{state, showResults};
};

TEST_F(CalculatorTest, CalculateShowsTheFiguresAndTheBodyTypeOfTheValue)
{
    const std::tuple<const char*, const char*, const char*, Box, const char*, Box, Box> cases[] = {
        {"170", "65", "20", "22.5", "普通型", "63.6", "13.0"},
        {"200", "74", "", "18.5", "普通型", "88.0", kSame},
        {"200", "73.99", "", "18.5", "やせ型", "88.0", kSame},
        {"200", "100", "", "25.0", "肥満型", "88.0", kSame},
        {"200", "99.99", "", "25.0", "普通型", "88.0", kSame},
        // Weight 0 fails the BMI's zero test, not the ideal weight's blank test; body fat 0.5 rounds to an even 0.
        {"170", "0", "", kSame, "", "63.6", kSame},
        {"170", "65", "0.5", "22.5", "普通型", "63.6", kSame},
    };
    for (const auto& [h, w, p, bmi, bodyType, ideal, fat] : cases) {
        SCOPED_TRACE(std::string(h) + " / " + w + " / " + p);
        Fresh(false);
        const MetricsOutcome out = calculator.Calculate({h, w, p});
        ExpectBoxes(out, bmi, ideal, fat);
        EXPECT_EQ(state.gBodyType, bodyType);
        EXPECT_EQ(showResults, kTrue);
        EXPECT_TRUE(out.message.empty());
    }
    // All fields empty: nothing changes, not even the flag.
    Fresh(false);
    ExpectBoxes(calculator.Calculate({"", "", ""}), kSame, kSame, kSame);
    EXPECT_EQ(showResults, kFalse);
}

TEST_F(CalculatorTest, EachFieldCheckRecomputesOrClearsItsOwnGroups)
{
    const std::tuple<F, const char*, const char*, const char*, Box, Box, Box> cases[] = {
        {F::Height, "", "65", "20", "", "", kSame},
        {F::Height, "160", "65", "20", "25.4", "56.3", kSame},
        {F::Weight, "170", "", "20", "", "", ""},
        {F::Weight, "170", "65", "", "22.5", "63.6", "0.0"},  // an empty body fat reads as 0
        {F::Weight, "", "70", "20", "", "", "14.0"},
        {F::BodyFat, "170", "", "20", "", "", kSame},
        {F::BodyFat, "170", "65", "", kSame, kSame, ""},
        {F::BodyFat, "170", "65", "30", kSame, kSame, "19.5"},
    };
    for (const auto& [field, h, w, p, bmi, ideal, fat] : cases) {
        SCOPED_TRACE(FieldName(field) + ": " + h + " / " + w + " / " + p);
        Fresh(true);
        const double fatBefore = state.gFatMass;
        ExpectBoxes(calculator.FieldCheck(field, {h, w, p}), bmi, ideal, fat);
        if (bmi == Box("")) {
            EXPECT_EQ(state.gBMI, 0.0);
            EXPECT_EQ(state.gBodyType, "");
        }
        EXPECT_EQ(state.gFatMass, !fat ? fatBefore : fat->empty() ? 0.0 : std::stod(*fat));
    }
    // Before the first Calculate a check keeps only the state current.
    Fresh(false);
    ExpectBoxes(calculator.FieldCheck(F::Height, {"170", "65", ""}), kSame, kSame, kSame);
    EXPECT_NEAR(state.gBMI, 22.49, 0.01);
}

TEST_F(CalculatorTest, ABadFieldIsNamedAndWhatDependsOnItIsClearedAndOneMessageNamesEveryBadOne)
{
    const std::tuple<F, const char*, InputFault, Box, Box, Box, const char*> cases[] = {
        {F::Height, "170cm", InputFault::NotANumber, "", "", "13.0",
         "身長に数字以外の文字が入っています。数字だけで入力してください（例：170.5）。"},
        {F::Weight, "40000", InputFault::OutOfRange, "", "", "", "体重の数値が大きすぎて計算できません。"},
        {F::BodyFat, "　 ", InputFault::BlankOnly, "22.5", "63.6", "",
         "体脂肪率が空白だけになっています。数字を入力するか、空白を消してください。"},
        {F::BodyFat, "1,700", InputFault::NotANumber, "22.5", "63.6", "",
         "体脂肪率に数字以外の文字が入っています。数字だけで入力してください（例：20.5）。"},
    };
    for (const auto& [field, text, fault, bmi, ideal, fat, message] : cases) {
        SCOPED_TRACE(text);
        MeasurementTexts texts{"170", "65", "20"};
        (field == F::Height ? texts.height : field == F::Weight ? texts.weight : texts.bodyFat) = text;
        // Leaving the field: cleared, no message while the focus moves.
        Fresh(true);
        MetricsOutcome out = calculator.FieldCheck(field, texts);
        EXPECT_EQ(out.fault(field), fault);
        EXPECT_TRUE(out.message.empty());
        EXPECT_EQ(Seen(out.bmi), bmi == "" ? Box("") : kSame);
        EXPECT_EQ(Seen(out.fatMass), fat == "" ? Box("") : kSame);
        // Calculate: the sound figures, one message, the focus to the field.
        Fresh(true);
        out = calculator.Calculate(texts);
        ExpectBoxes(out, bmi, ideal, fat);
        EXPECT_EQ(out.message, message);
        EXPECT_EQ(out.focusField, field);
    }
    // Two bad fields: one message naming both, the focus to the first.
    Fresh(false);
    const MetricsOutcome out = calculator.Calculate({"1,700", "65", "   "});
    EXPECT_EQ(out.message,
              "身長に数字以外の文字が入っています。数字だけで入力してください（例：170.5）。\r\n"
              "体脂肪率が空白だけになっています。数字を入力するか、空白を消してください。");
    EXPECT_EQ(out.focusField, F::Height);
}

TEST(ExplanationText, ResultLinesFollowTheBMIAndItsBodyType)
{
    const std::tuple<double, const char*, double, double, const char*, const char*, const char*, std::uint32_t>
        cases[] = {
            {0, "", 0, 0, "あなたのBMIは「不明」です。", "あなたの理想体重は「不明」です。",
             "あなたの体脂肪量は「不明」です。", 0x00C0C0FF},
            {22.04, "普通型", 63.58, 13, "あなたのBMIは「22.0：普通型」です。", "あなたの理想体重は「63.6kg」です。",
             "あなたの体脂肪量は「13.0kg」です。", 0x00C0FFC0},
            // Present means: rounds to a whole number other than 0.
            {0.5, "やせ型", 63.6, 13, "あなたのBMIは「不明」です。", "あなたの理想体重は「不明」です。",
             "あなたの体脂肪量は「不明」です。", 0x00FFFFC0},
            {0.51, "やせ型", 0, 0, "あなたのBMIは「0.5：やせ型」です。", "あなたの理想体重は「0.0kg」です。",
             "あなたの体脂肪量は「0.0kg」です。", 0x00FFFFC0},
            {31.2, "肥満型", 63.6, 20.1, "あなたのBMIは「31.2：肥満型」です。", "あなたの理想体重は「63.6kg」です。",
             "あなたの体脂肪量は「20.1kg」です。", 0x00FFC0FF},
            {40000, "普通型 ", std::numeric_limits<double>::infinity(), std::nan(""),
             "あなたのBMIは「40000.0：普通型 」です。", "あなたの理想体重は「不明」です。",
             "あなたの体脂肪量は「不明」です。", 0x00C0C0FF},
        };
    for (const auto& [bmi, bodyType, ideal, fat, bmiSentence, idealSentence, fatSentence, colour] : cases) {
        SCOPED_TRACE(bmi);
        const modCommon state{
            .gConstitution = {}, .gBMI = bmi, .gBodyType = bodyType, .gIdealWeight = ideal, .gFatMass = fat};
        EXPECT_EQ(BMIResultSentence(state), bmiSentence);
        EXPECT_EQ(IdealWeightResultSentence(state), idealSentence);
        EXPECT_EQ(FatMassResultSentence(state), fatSentence);
        EXPECT_EQ(BMIResultColour(state.gBodyType), colour);
    }
}

}  // namespace
}  // namespace tomira
