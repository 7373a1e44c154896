#pragma once
// The body-metrics calculation of the main window: BMI with its body type,
// ideal weight and body fat mass, from the texts of the height, weight and
// body-fat fields. It keeps the common state current and says what each
// result box must show; the window applies that to its widgets.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/modCommon.h"

namespace tomira {

enum class MeasurementField { Height, Weight, BodyFat };  // txt身長, txt体重, txt体脂肪率

inline constexpr std::size_t kMeasurementFieldCount = 3;
inline constexpr MeasurementField kMeasurementFields[] = {MeasurementField::Height, MeasurementField::Weight,
                                                          MeasurementField::BodyFat};

// What is wrong with the text of a measurement field.
enum class InputFault {
    None,        // empty, or a number the calculation can use
    BlankOnly,   // nothing but blanks
    NotANumber,  // letters, units, separators, ...
    OutOfRange,  // a number too large (or too far below zero) to calculate with
};

struct MeasurementTexts {
    std::string height;   // cm
    std::string weight;   // kg
    std::string bodyFat;  // %
};

// What one result box must show after an operation.
struct ResultBoxUpdate {
    enum class Kind { Unchanged, Cleared, Text };
    Kind kind = Kind::Unchanged;
    std::string text;  // for Kind::Text

    static ResultBoxUpdate Cleared() { return {Kind::Cleared, {}}; }
    static ResultBoxUpdate Shown(std::string text) { return {Kind::Text, std::move(text)}; }
    friend bool operator==(const ResultBoxUpdate&, const ResultBoxUpdate&) = default;
};

struct MetricsOutcome {
    ResultBoxUpdate bmi;          // txtBMI
    ResultBoxUpdate idealWeight;  // txt理想体重
    ResultBoxUpdate fatMass;      // txt体脂肪量
    // The state of each field's text, indexed by MeasurementField; the
    // window marks every faulty field.
    std::array<InputFault, kMeasurementFieldCount> faults{};
    // The Calculate command only: the message naming every faulty field
    // (empty when all are sound), and the field that gets the focus.
    std::string message;
    std::optional<MeasurementField> focusField;

    InputFault fault(MeasurementField field) const { return faults[static_cast<std::size_t>(field)]; }
};

// The field's name as the user reads it: "身長", "体重", "体脂肪率".
std::string FieldName(MeasurementField field);
// Whether the calculation can use this text.
InputFault ExamineField(std::string_view text);
// One sentence in plain Japanese naming the field and what is wrong with
// it; empty for InputFault::None. Used for the message and the field's tip.
std::string FaultSentence(MeasurementField field, InputFault fault);

// The calculation over the common state and the main window's
// mShowResults flag. A faulty field is never converted: it counts as an
// empty field in the tests, and every figure that depends on it is
// cleared, so no figure stays on screen beside text it cannot come from.
class MetricsCalculator {
public:
    MetricsCalculator(modCommon& state, std::int16_t& showResults) : state_(state), showResults_(showResults) {}

    // cmd計算 pressed: TryCalcBMI, TryCalcIdealWeight, TryCalcFatMass.
    MetricsOutcome Calculate(const MeasurementTexts& texts);
    // The focus is leaving one of the three fields.
    MetricsOutcome FieldCheck(MeasurementField field, const MeasurementTexts& texts);

private:
    void Begin(const MeasurementTexts& texts);
    void Finish();

    // A field's text as the operation reads it, converted once.
    struct Reading {
        bool empty = true;   // no text (or faulty text, which counts as none)
        bool zero = true;    // rounds to the 16-bit integer 0; true when empty
        double value = 0.0;  // 0 when empty
    };
    const Reading& Read(MeasurementField field) const { return readings_[static_cast<std::size_t>(field)]; }
    bool IsZero(MeasurementField field) const { return Read(field).zero; }
    bool IsEmptyField(MeasurementField field) const { return Read(field).empty; }
    double Value(MeasurementField field) const { return Read(field).value; }

    void CalcBMI();
    void CalcIdealWeight();
    void CalcFatMass();
    void TryCalcBMI();
    void TryCalcIdealWeight();
    void TryCalcFatMass();
    void Check身長();
    void Check体重();
    void Check体脂肪率();

    void ClearBMIGroup();
    void ClearIdealWeightGroup();
    void ClearFatMassGroup();
    void ResultTooLarge(MeasurementField field);

    modCommon& state_;
    std::int16_t& showResults_;

    // The operation under way.
    std::array<Reading, kMeasurementFieldCount> readings_{};
    MetricsOutcome outcome_;
};

}  // namespace tomira
