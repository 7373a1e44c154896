#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "metrics/MetricsCalculator.h"

namespace tomira {
namespace {

using Kind = ResultBoxUpdate::Kind;
using F = MeasurementField;

// What a result box must show: nullopt for unchanged, "" for cleared.
std::optional<std::string> Seen(const ResultBoxUpdate& update)
{
    switch (update.kind) {
    case Kind::Unchanged:
        return std::nullopt;
    case Kind::Cleared:
        return std::string();
    case Kind::Text:
        return update.text;
    }
    return std::nullopt;
}

constexpr std::optional<std::string> kUnchanged = std::nullopt;

bool IsCleared(const std::optional<std::string>& seen) { return seen.has_value() && seen->empty(); }

class CalculatorTest : public ::testing::Test {
protected:
    MetricsOutcome Calculate(const std::string& h, const std::string& w, const std::string& p)
    {
        return calculator.Calculate({h, w, p});
    }
    MetricsOutcome Check(F field, const std::string& h, const std::string& w, const std::string& p)
    {
        return calculator.FieldCheck(field, {h, w, p});
    }

    modCommon state;
    std::int16_t showResults = kFalse;
    MetricsCalculator calculator{state, showResults};
};

TEST_F(CalculatorTest, CalculateShowsTheThreeFigures)
{
    struct Case {
        const char *h, *w, *p;
        std::optional<std::string> bmi;
        const char* bodyType;
        std::optional<std::string> ideal, fat;
    };
    const Case cases[] = {
        {"170", "65", "20", "22.5", "普通型", "63.6", "13.0"},
        {"200", "74", "", "18.5", "普通型", "88.0", kUnchanged},   // exactly 18.5
        {"200", "100", "", "25.0", "肥満型", "88.0", kUnchanged},  // exactly 25
        {"160", "47", "25", "18.4", "やせ型", "56.3", "11.8"},
        // The type follows the value, not the rounded display.
        {"200", "73.99", "", "18.5", "やせ型", "88.0", kUnchanged},
        {"200", "99.99", "", "25.0", "普通型", "88.0", kUnchanged},
        // Implausible numbers are computed like any others.
        {"170", "-60", "20", "-20.8", "やせ型", "63.6", "-12.0"},
        {"１７０", "６５．０", "２０", "22.5", "普通型", "63.6", "13.0"},
        {" 170 ", "　65", "20　", "22.5", "普通型", "63.6", "13.0"},
        // The largest numbers the zero tests take.
        {"32767", "32767", "32767", "0.3", "やせ型", "2362087.8", "10736762.9"},
    };
    for (const auto& c : cases) {
        state = modCommon{};
        showResults = kFalse;
        const MetricsOutcome out = Calculate(c.h, c.w, c.p);
        SCOPED_TRACE(std::string(c.h) + " / " + c.w + " / " + c.p);
        EXPECT_EQ(Seen(out.bmi), c.bmi);
        EXPECT_EQ(Seen(out.idealWeight), c.ideal);
        EXPECT_EQ(Seen(out.fatMass), c.fat);
        EXPECT_EQ(state.gBodyType, c.bodyType);
        EXPECT_EQ(showResults, kTrue);
        EXPECT_TRUE(out.message.empty());
        EXPECT_FALSE(out.focusField.has_value());
    }
}

TEST_F(CalculatorTest, ZeroTestAndBlankTestDecideSeparately)
{
    // Weight "0" is zero for the BMI but not blank for the ideal weight.
    MetricsOutcome out = Calculate("170", "0", "");
    EXPECT_EQ(Seen(out.bmi), kUnchanged);
    EXPECT_EQ(Seen(out.idealWeight), "63.6");
    EXPECT_EQ(Seen(out.fatMass), kUnchanged);
    EXPECT_EQ(state.gBMI, 0.0);
    EXPECT_EQ(showResults, kTrue);

    // Height 0.4 rounds to 0: no BMI, yet an ideal weight of 0.0.
    state = modCommon{};
    out = Calculate("0.4", "65", "");
    EXPECT_EQ(Seen(out.bmi), kUnchanged);
    EXPECT_EQ(Seen(out.idealWeight), "0.0");
    EXPECT_EQ(state.gBMI, 0.0);

    // 0.6 is not zero.
    out = Calculate("170", "65", "0.6");
    EXPECT_EQ(Seen(out.fatMass), "0.4");
    out = Calculate("170", "65", "0.5");
    EXPECT_EQ(Seen(out.fatMass), kUnchanged);  // 0.5 rounds to even 0
}

TEST_F(CalculatorTest, CalculateWithAllFieldsEmptyChangesNothing)
{
    for (const std::int16_t before : {kFalse, kTrue}) {
        state.gBMI = 22.5;
        state.gBodyType = "普通型";
        state.gIdealWeight = 63.6;
        state.gFatMass = 13;
        showResults = before;
        const MetricsOutcome out = Calculate("", "", "");
        EXPECT_EQ(Seen(out.bmi), kUnchanged);
        EXPECT_EQ(Seen(out.idealWeight), kUnchanged);
        EXPECT_EQ(Seen(out.fatMass), kUnchanged);
        EXPECT_EQ(state.gBMI, 22.5);
        EXPECT_EQ(state.gBodyType, "普通型");
        EXPECT_EQ(state.gIdealWeight, 63.6);
        EXPECT_EQ(state.gFatMass, 13.0);
        EXPECT_EQ(showResults, before);
        EXPECT_TRUE(out.message.empty());
    }
}

TEST_F(CalculatorTest, CalculateNeverClearsAFigureWhoseInputsFail)
{
    Calculate("170", "65", "20");
    const MetricsOutcome out = Calculate("170", "", "20");
    EXPECT_EQ(Seen(out.bmi), kUnchanged);
    EXPECT_EQ(Seen(out.idealWeight), kUnchanged);
    EXPECT_EQ(Seen(out.fatMass), kUnchanged);
    EXPECT_NEAR(state.gBMI, 22.49, 0.01);
    EXPECT_EQ(state.gBodyType, "普通型");
    EXPECT_EQ(state.gFatMass, 13.0);
}

TEST_F(CalculatorTest, BeforeTheFirstCalculateChecksKeepOnlyTheStateCurrent)
{
    MetricsOutcome out = Check(F::Height, "170", "65", "");
    EXPECT_EQ(Seen(out.bmi), kUnchanged);
    EXPECT_EQ(Seen(out.idealWeight), kUnchanged);
    EXPECT_NEAR(state.gBMI, 22.49, 0.01);
    EXPECT_NEAR(state.gIdealWeight, 63.58, 0.01);
    EXPECT_EQ(state.gBodyType, "普通型");
    EXPECT_EQ(showResults, kFalse);

    // Clearing writes the boxes whatever the flag holds.
    out = Check(F::Weight, "170", "", "");
    EXPECT_EQ(Seen(out.bmi), "");
    EXPECT_EQ(Seen(out.idealWeight), "");
    EXPECT_EQ(Seen(out.fatMass), "");
    EXPECT_EQ(showResults, kFalse);

    // After a Calculate, leaving the height shows its results at once.
    Calculate("170", "65", "20");
    out = Check(F::Height, "180", "65", "20");
    EXPECT_EQ(Seen(out.bmi), "20.1");
    EXPECT_EQ(Seen(out.idealWeight), "71.3");
    EXPECT_EQ(Seen(out.fatMass), kUnchanged);
}

TEST_F(CalculatorTest, EachFieldCheckRecomputesOrClearsItsOwnGroups)
{
    struct Case {
        const char* what;
        F field;
        const char *h, *w, *p;
        std::optional<std::string> bmi, ideal, fat;
    };
    const Case cases[] = {
        {"height erased", F::Height, "", "65", "20", "", "", kUnchanged},
        {"height 0.4", F::Height, "0.4", "65", "20", "", "", kUnchanged},
        {"height with weight erased", F::Height, "170", "", "20", "", "", kUnchanged},
        {"height with weight 0", F::Height, "170", "0", "20", "", "", kUnchanged},
        {"height changed", F::Height, "160", "65", "20", "25.4", "56.3", kUnchanged},
        {"weight erased", F::Weight, "170", "", "20", "", "", ""},
        {"weight with body fat empty", F::Weight, "170", "65", "", "22.5", "63.6", "0.0"},
        {"weight with height erased", F::Weight, "", "70", "20", "", "", "14.0"},
        {"weight changed", F::Weight, "170", "70", "20", "24.2", "63.6", "14.0"},
        {"body fat with weight erased", F::BodyFat, "170", "", "20", "", "", kUnchanged},
        {"body fat erased", F::BodyFat, "170", "65", "", kUnchanged, kUnchanged, ""},
        {"body fat 0.4", F::BodyFat, "170", "65", "0.4", kUnchanged, kUnchanged, ""},
        {"body fat changed", F::BodyFat, "170", "65", "30", kUnchanged, kUnchanged, "19.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state = modCommon{};
        showResults = kFalse;
        Calculate("170", "65", "20");
        const modCommon before = state;
        const MetricsOutcome out = Check(c.field, c.h, c.w, c.p);
        EXPECT_EQ(Seen(out.bmi), c.bmi);
        EXPECT_EQ(Seen(out.idealWeight), c.ideal);
        EXPECT_EQ(Seen(out.fatMass), c.fat);
        // Cleared figures are 0 (and no type) in the common state too;
        // untouched ones keep their values.
        if (IsCleared(c.bmi)) {
            EXPECT_EQ(state.gBMI, 0.0);
            EXPECT_EQ(state.gBodyType, "");
        } else if (!c.bmi.has_value()) {
            EXPECT_EQ(state.gBMI, before.gBMI);
        }
        if (IsCleared(c.ideal)) {
            EXPECT_EQ(state.gIdealWeight, 0.0);
        }
        if (IsCleared(c.fat)) {
            EXPECT_EQ(state.gFatMass, 0.0);
        } else if (!c.fat.has_value()) {
            EXPECT_EQ(state.gFatMass, before.gFatMass);
        }
        EXPECT_EQ(showResults, kTrue);
        EXPECT_TRUE(out.message.empty());
    }
}

// ---- Text that is not a usable number ----

struct BadText {
    const char* label;
    std::string text;
    InputFault fault;
};

const BadText kBadTexts[] = {
    {"letters", "abc", InputFault::NotANumber},
    {"unit", "170cm", InputFault::NotANumber},
    {"full-width unit", "６５ｋｇ", InputFault::NotANumber},
    {"percent sign", "20%", InputFault::NotANumber},
    {"group separator", "1,700", InputFault::NotANumber},
    {"exponent", "1e999", InputFault::NotANumber},
    {"two points", "12.3.4", InputFault::NotANumber},
    {"sign after", "5-", InputFault::NotANumber},
    {"16-bit overflow", "40000", InputFault::OutOfRange},
    {"negative overflow", "-40000", InputFault::OutOfRange},
    {"rounds to 32768", "32767.5", InputFault::OutOfRange},
    {"beyond a double", std::string(400, '9'), InputFault::OutOfRange},
    {"blanks", "   ", InputFault::BlankOnly},
    {"ideographic space", "　", InputFault::BlankOnly},
    {"tab", "\t", InputFault::BlankOnly},
    {"very long", std::string(10000, 'x'), InputFault::NotANumber},
};

MeasurementTexts WithBad(F field, const std::string& text)
{
    MeasurementTexts texts{"170", "65", "20"};
    (field == F::Height ? texts.height : field == F::Weight ? texts.weight : texts.bodyFat) = text;
    return texts;
}

struct Dependents {
    bool bmi, ideal, fat;
};

Dependents DependentsOf(F field)
{
    switch (field) {
    case F::Height:
        return {true, true, false};
    case F::Weight:
        return {true, true, true};
    case F::BodyFat:
        return {false, false, true};
    }
    return {};
}

TEST_F(CalculatorTest, NumbersWithinTheZeroTestAreSound)
{
    for (const char* sound : {"", "0", "170", "-60", "32767", "32767.4", "-32768", ".5", "5.", "＋１"}) {
        EXPECT_EQ(ExamineField(sound), InputFault::None) << sound;
    }
}

TEST_F(CalculatorTest, FieldCheckOnABadFieldClearsWhatDependsOnItAndNamesIt)
{
    for (const F field : {F::Height, F::Weight, F::BodyFat}) {
        for (const auto& bad : kBadTexts) {
            SCOPED_TRACE(FieldName(field) + ": " + bad.label);
            state = modCommon{};
            showResults = kFalse;
            Calculate("170", "65", "20");
            const modCommon before = state;

            MetricsOutcome out;
            ASSERT_NO_THROW(out = calculator.FieldCheck(field, WithBad(field, bad.text)));
            const Dependents dep = DependentsOf(field);
            EXPECT_EQ(Seen(out.bmi), dep.bmi ? std::optional<std::string>("") : kUnchanged);
            EXPECT_EQ(Seen(out.idealWeight), dep.ideal ? std::optional<std::string>("") : kUnchanged);
            EXPECT_EQ(Seen(out.fatMass), dep.fat ? std::optional<std::string>("") : kUnchanged);
            EXPECT_EQ(state.gBMI, dep.bmi ? 0.0 : before.gBMI);
            EXPECT_EQ(state.gIdealWeight, dep.ideal ? 0.0 : before.gIdealWeight);
            EXPECT_EQ(state.gFatMass, dep.fat ? 0.0 : before.gFatMass);
            for (const F other : {F::Height, F::Weight, F::BodyFat}) {
                EXPECT_EQ(out.fault(other), other == field ? bad.fault : InputFault::None);
            }
            EXPECT_TRUE(out.message.empty());  // no message while the focus moves
        }
    }
}

TEST_F(CalculatorTest, CalculateWithABadFieldNamesItAndComputesTheSoundFigures)
{
    for (const F field : {F::Height, F::Weight, F::BodyFat}) {
        for (const auto& bad : kBadTexts) {
            SCOPED_TRACE(FieldName(field) + ": " + bad.label);
            state = modCommon{};
            showResults = kFalse;
            Calculate("170", "65", "20");

            MetricsOutcome out;
            ASSERT_NO_THROW(out = calculator.Calculate(WithBad(field, bad.text)));
            const Dependents dep = DependentsOf(field);
            // No stale figure beside the bad text; the others computed.
            EXPECT_EQ(Seen(out.bmi), dep.bmi ? "" : "22.5");
            EXPECT_EQ(Seen(out.idealWeight), dep.ideal ? "" : "63.6");
            EXPECT_EQ(Seen(out.fatMass), dep.fat ? "" : "13.0");
            EXPECT_EQ(state.gBodyType, dep.bmi ? "" : "普通型");
            EXPECT_EQ(out.message, FaultSentence(field, bad.fault));
            EXPECT_EQ(out.focusField, field);
        }
    }
}

TEST_F(CalculatorTest, BadBodyFatIsNotReadAsZeroWhenTheWeightIsLeft)
{
    Calculate("170", "65", "20");
    const MetricsOutcome out = Check(F::Weight, "170", "65", "abc");
    EXPECT_EQ(Seen(out.fatMass), "");  // not "0.0"
    EXPECT_EQ(Seen(out.bmi), "22.5");
    EXPECT_EQ(out.fault(F::BodyFat), InputFault::NotANumber);
}

TEST_F(CalculatorTest, OneMessageNamesEveryBadFieldAndTheFirstGetsTheFocus)
{
    const MetricsOutcome out = Calculate("1,700", "65", "   ");
    EXPECT_EQ(out.message, FaultSentence(F::Height, InputFault::NotANumber) + "\r\n" +
                               FaultSentence(F::BodyFat, InputFault::BlankOnly));
    EXPECT_EQ(out.focusField, F::Height);
    // A bad field that a test would not have looked at is named as well.
    EXPECT_EQ(Calculate("170", "", "abc").focusField, F::BodyFat);
    // Nothing left to compute, and the flag stays as it was.
    EXPECT_EQ(showResults, kFalse);
}

TEST_F(CalculatorTest, SentencesNameTheFieldInPlainJapanese)
{
    EXPECT_EQ(FaultSentence(F::Height, InputFault::NotANumber),
              "身長に数字以外の文字が入っています。数字だけで入力してください（例：170.5）。");
    EXPECT_EQ(FaultSentence(F::Weight, InputFault::OutOfRange), "体重の数値が大きすぎて計算できません。");
    EXPECT_EQ(FaultSentence(F::BodyFat, InputFault::BlankOnly),
              "体脂肪率が空白だけになっています。数字を入力するか、空白を消してください。");
    EXPECT_EQ(FaultSentence(F::Weight, InputFault::None), "");
}

}  // namespace
}  // namespace tomira
