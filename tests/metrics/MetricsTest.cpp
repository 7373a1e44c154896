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
    // The fat mass in the state: unchanged, it is the 13.0 of the first Calculate.
    struct Case {
        F field;
        MeasurementTexts texts;
        Box bmi, ideal, fat;
        double fatMass;
    };
    const Case cases[] = {
        {F::Height, {"", "65", "20"}, "", "", kSame, 13.0},
        {F::Height, {"160", "65", "20"}, "25.4", "56.3", kSame, 13.0},
        {F::Height, {"170", "", "20"}, "", "", kSame, 13.0},
        {F::Weight, {"170", "", "20"}, "", "", "", 0.0},
        {F::Weight, {"170", "65", ""}, "22.5", "63.6", "0.0", 0.0},  // an empty body fat reads as 0
        {F::Weight, {"", "70", "20"}, "", "", "14.0", 14.0},
        {F::BodyFat, {"170", "", "20"}, "", "", kSame, 13.0},
        {F::BodyFat, {"170", "65", ""}, kSame, kSame, "", 0.0},
        {F::BodyFat, {"170", "65", "30"}, kSame, kSame, "19.5", 19.5},
    };
    for (const auto& [field, texts, bmi, ideal, fat, fatMass] : cases) {
        SCOPED_TRACE(FieldName(field) + ": " + texts.height + " / " + texts.weight + " / " + texts.bodyFat);
        Fresh(true);
        ExpectBoxes(calculator.FieldCheck(field, texts), bmi, ideal, fat);
        // A cleared box leaves nothing behind for its explanation dialog.
        EXPECT_TRUE(bmi != Box("") || (state.gBMI == 0.0 && state.gBodyType.empty()));
        EXPECT_TRUE(ideal != Box("") || state.gIdealWeight == 0.0);
        EXPECT_DOUBLE_EQ(state.gFatMass, fatMass);
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
    const std::string unknown = "「不明」です。";
    struct Case {
        modCommon state;
        std::string bmi, ideal, fat;  // the three result lines after "あなたの…は"
        std::uint32_t colour;         // the BMI line's ground
    };
    // clang-format off
    const Case cases[] = {
        {.state = {}, .bmi = unknown, .ideal = unknown, .fat = unknown, .colour = 0x00C0C0FF},
        {.state = {.gBMI = 22.04, .gBodyType = "普通型", .gIdealWeight = 63.58, .gFatMass = 13},
         .bmi = "「22.0：普通型」です。", .ideal = "「63.6kg」です。", .fat = "「13.0kg」です。", .colour = 0x00C0FFC0},
        // Present means: rounds to a whole number other than 0.
        {.state = {.gBMI = 0.5, .gBodyType = "やせ型", .gIdealWeight = 63.6, .gFatMass = 13},
         .bmi = unknown, .ideal = unknown, .fat = unknown, .colour = 0x00FFFFC0},
        {.state = {.gBMI = 0.51, .gBodyType = "やせ型"},
         .bmi = "「0.5：やせ型」です。", .ideal = "「0.0kg」です。", .fat = "「0.0kg」です。", .colour = 0x00FFFFC0},
        {.state = {.gBMI = 31.2, .gBodyType = "肥満型", .gIdealWeight = 63.6, .gFatMass = 20.1},
         .bmi = "「31.2：肥満型」です。", .ideal = "「63.6kg」です。", .fat = "「20.1kg」です。", .colour = 0x00FFC0FF},
        {.state = {.gBMI = 40000, .gBodyType = "普通型 ", .gIdealWeight = std::numeric_limits<double>::infinity(),
                   .gFatMass = std::nan("")},
         .bmi = "「40000.0：普通型 」です。", .ideal = unknown, .fat = unknown, .colour = 0x00C0C0FF},
    };
    // clang-format on
    for (const auto& [state, bmi, ideal, fat, colour] : cases) {
        SCOPED_TRACE(state.gBMI);
        EXPECT_EQ(BMIResultSentence(state), "あなたのBMIは" + bmi);
        EXPECT_EQ(IdealWeightResultSentence(state), "あなたの理想体重は" + ideal);
        EXPECT_EQ(FatMassResultSentence(state), "あなたの体脂肪量は" + fat);
        EXPECT_EQ(BMIResultColour(state.gBodyType), colour);
    }
}

}  // namespace
}  // namespace tomira
