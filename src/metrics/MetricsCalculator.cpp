#include "metrics/MetricsCalculator.h"

#include <cmath>

#include "state/DisplayFormat.h"
#include "state/modConvert.h"
#include "state/modDiv.h"

namespace tomira {

namespace {

constexpr std::size_t Index(MeasurementField field) { return static_cast<std::size_t>(field); }

// Each field's name as the user reads it, and a sample of what to type.
struct FieldWords {
    const char* name;
    const char* example;
};
constexpr FieldWords kWords[] = {{"身長", "170.5"}, {"体重", "65.5"}, {"体脂肪率", "20.5"}};

std::string BodyType(double bmi)
{
    if (bmi < 18.5) {
        return "やせ型";
    }
    if (bmi < 25) {
        return "普通型";
    }
    return "肥満型";
}

}  // namespace

std::string FieldName(MeasurementField field) { return kWords[Index(field)].name; }

InputFault ExamineField(std::string_view text)
{
    if (text.empty()) {
        return InputFault::None;
    }
    if (IsBlankOnly(text)) {
        return InputFault::BlankOnly;
    }
    // The zero test rounds to a 16-bit integer: a number that passes it
    // also passes every other conversion of the calculation.
    const std::optional<ConversionFault> fault = TryToIntSafe(Variant(std::string(text))).fault;
    if (!fault) {
        return InputFault::None;
    }
    return *fault == ConversionFault::Overflow ? InputFault::OutOfRange : InputFault::NotANumber;
}

std::string FaultSentence(MeasurementField field, InputFault fault)
{
    const std::string name = FieldName(field);
    switch (fault) {
    case InputFault::None:
        break;
    case InputFault::BlankOnly:
        return name + "が空白だけになっています。数字を入力するか、空白を消してください。";
    case InputFault::NotANumber:
        return name + "に数字以外の文字が入っています。数字だけで入力してください（例：" +
               kWords[Index(field)].example + "）。";
    case InputFault::OutOfRange:
        return name + "の数値が大きすぎて計算できません。";
    }
    return std::string();
}

MetricsOutcome MetricsCalculator::Calculate(const MeasurementTexts& texts)
{
    Begin(texts);
    TryCalcBMI();
    TryCalcIdealWeight();
    TryCalcFatMass();
    Finish();
    for (const MeasurementField field : kMeasurementFields) {
        const InputFault fault = outcome_.fault(field);
        if (fault == InputFault::None) {
            continue;
        }
        if (!outcome_.message.empty()) {
            outcome_.message += "\r\n";
        }
        outcome_.message += FaultSentence(field, fault);
        if (!outcome_.focusField) {
            outcome_.focusField = field;
        }
    }
    return outcome_;
}

MetricsOutcome MetricsCalculator::FieldCheck(MeasurementField field, const MeasurementTexts& texts)
{
    Begin(texts);
    switch (field) {
    case MeasurementField::Height:
        Check身長();
        break;
    case MeasurementField::Weight:
        Check体重();
        break;
    case MeasurementField::BodyFat:
        Check体脂肪率();
        break;
    }
    Finish();
    return outcome_;
}

void MetricsCalculator::Begin(const MeasurementTexts& texts)
{
    outcome_ = MetricsOutcome{};
    const std::string* given[] = {&texts.height, &texts.weight, &texts.bodyFat};
    for (const MeasurementField field : kMeasurementFields) {
        const std::string& text = *given[Index(field)];
        const InputFault fault = ExamineField(text);
        outcome_.faults[Index(field)] = fault;
        // A faulty field takes part as an empty one; ExamineField has shown
        // that a sound one converts without a fault.
        Reading reading;
        if (fault == InputFault::None && !text.empty()) {
            reading.empty = false;
            reading.zero = ToIntSafe(Variant(text)) == 0;
            reading.value = ToDblSafe(Variant(text));
        }
        readings_[Index(field)] = reading;
    }
}

void MetricsCalculator::Finish()
{
    // Nothing shown may come from, or stay beside, text that is not a
    // usable number.
    if (outcome_.fault(MeasurementField::Height) != InputFault::None) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
    }
    if (outcome_.fault(MeasurementField::Weight) != InputFault::None) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
        ClearFatMassGroup();
    }
    if (outcome_.fault(MeasurementField::BodyFat) != InputFault::None) {
        ClearFatMassGroup();
    }
}

void MetricsCalculator::CalcBMI()
{
    const double m = Value(MeasurementField::Height) / 100;
    const double s = m * m;
    const double bmi = DivSafe(Value(MeasurementField::Weight), s);
    if (!std::isfinite(bmi)) {
        ResultTooLarge(MeasurementField::Height);
        return;
    }
    state_.gBodyType = BodyType(bmi);
    state_.gBMI = bmi;
    if (showResults_ != kFalse) {
        outcome_.bmi = ResultBoxUpdate::Shown(FormatDisplay(bmi));
    }
}

void MetricsCalculator::CalcIdealWeight()
{
    const double m = Value(MeasurementField::Height) / 100;
    const double ideal = m * m * 22;
    if (!std::isfinite(ideal)) {
        ResultTooLarge(MeasurementField::Height);
        return;
    }
    state_.gIdealWeight = ideal;
    if (showResults_ != kFalse) {
        outcome_.idealWeight = ResultBoxUpdate::Shown(FormatDisplay(ideal));
    }
}

void MetricsCalculator::CalcFatMass()
{
    const double w = Value(MeasurementField::Weight);
    const double p = Value(MeasurementField::BodyFat);
    const double fat = w * p / 100;
    if (!std::isfinite(fat)) {
        ResultTooLarge(std::fabs(w) >= std::fabs(p) ? MeasurementField::Weight : MeasurementField::BodyFat);
        return;
    }
    state_.gFatMass = fat;
    if (showResults_ != kFalse) {
        outcome_.fatMass = ResultBoxUpdate::Shown(FormatDisplay(fat));
    }
}

void MetricsCalculator::TryCalcBMI()
{
    if (IsZero(MeasurementField::Height) || IsZero(MeasurementField::Weight)) {
        return;
    }
    showResults_ = kTrue;
    CalcBMI();
}

void MetricsCalculator::TryCalcIdealWeight()
{
    // Unlike the BMI and the fat mass, the ideal weight asks only that both
    // fields hold text: a weight of 0 still gives the ideal weight of the
    // height (which needs no weight at all), and a height of 0 gives 0.0.
    if (IsEmptyField(MeasurementField::Height) || IsEmptyField(MeasurementField::Weight)) {
        return;
    }
    showResults_ = kTrue;
    CalcIdealWeight();
}

void MetricsCalculator::TryCalcFatMass()
{
    if (IsZero(MeasurementField::Weight) || IsZero(MeasurementField::BodyFat)) {
        return;
    }
    showResults_ = kTrue;
    CalcFatMass();
}

void MetricsCalculator::Check身長()
{
    if (IsZero(MeasurementField::Height) || IsZero(MeasurementField::Weight)) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
        return;
    }
    CalcBMI();
    CalcIdealWeight();
}

void MetricsCalculator::Check体重()
{
    if (IsZero(MeasurementField::Weight)) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
        ClearFatMassGroup();
        return;
    }
    // The body-fat field is not tested: an empty one gives 0.
    CalcFatMass();
    if (IsZero(MeasurementField::Height)) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
    } else {
        CalcBMI();
        CalcIdealWeight();
    }
}

void MetricsCalculator::Check体脂肪率()
{
    if (IsZero(MeasurementField::Weight)) {
        ClearBMIGroup();
        ClearIdealWeightGroup();
        return;
    }
    if (IsZero(MeasurementField::BodyFat)) {
        ClearFatMassGroup();
        return;
    }
    CalcFatMass();
}

void MetricsCalculator::ClearBMIGroup()
{
    outcome_.bmi = ResultBoxUpdate::Cleared();
    state_.gBMI = 0;
    state_.gBodyType.clear();
}

void MetricsCalculator::ClearIdealWeightGroup()
{
    outcome_.idealWeight = ResultBoxUpdate::Cleared();
    state_.gIdealWeight = 0;
}

void MetricsCalculator::ClearFatMassGroup()
{
    outcome_.fatMass = ResultBoxUpdate::Cleared();
    state_.gFatMass = 0;
}

void MetricsCalculator::ResultTooLarge(MeasurementField field)
{
    // Counts as a number too large in that field; Finish clears what
    // depends on it, and the rest of the operation reads it as empty.
    outcome_.faults[Index(field)] = InputFault::OutOfRange;
    readings_[Index(field)] = Reading{};
}

}  // namespace tomira
