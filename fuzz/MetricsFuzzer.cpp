// The body-metrics calculation fed arbitrary texts in the height, weight and
// body-fat fields and an arbitrary run of field checks, Calculate commands,
// edits and clear results. The result boxes are kept as the main window
// keeps them. After every step: each figure shown is a display-pattern
// number of a finite value, agrees with the common state, and none is shown
// beside a field its value depends on whose text cannot be used.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "metrics/MetricsCalculator.h"
#include "state/DisplayFormat.h"

using namespace tomira;

namespace {

// What the window's result box shows: empty or the last text written.
void Apply(std::string& box, const ResultBoxUpdate& update)
{
    switch (update.kind) {
    case ResultBoxUpdate::Kind::Unchanged:
        break;
    case ResultBoxUpdate::Kind::Cleared:
        box.clear();
        break;
    case ResultBoxUpdate::Kind::Text:
        box = update.text;
        break;
    }
}

void CheckFigure(const ResultBoxUpdate& update)
{
    if (update.kind != ResultBoxUpdate::Kind::Text) {
        return;
    }
    static const std::regex pattern("-?[0-9]+\\.[0-9]");
    FUZZ_CHECK(std::regex_match(update.text, pattern));
    const double value = std::strtod(update.text.c_str(), nullptr);
    FUZZ_CHECK(std::isfinite(value));
    // The text is what the display pattern makes of the number it spells.
    FUZZ_CHECK(FormatDisplay(value) == update.text);
}

// A box that shows a figure shows the value the explanation dialogs read.
void CheckAgrees(const std::string& box, double stored)
{
    if (!box.empty()) {
        FUZZ_CHECK(std::isfinite(stored));
        FUZZ_CHECK(box == FormatDisplay(stored));
    }
}

// A text for a measurement field: raw bytes, a plain decimal number of a
// person's size, a number too small to square, or empty.
std::string FieldText(FuzzedDataProvider& input)
{
    char buffer[512];
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return input.ConsumeRandomLengthString(40);
    case 1: {
        const double value = input.ConsumeFloatingPointInRange(-40000.0, 40000.0);
        const int decimals = input.ConsumeIntegralInRange(0, 4);
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return buffer;
    }
    case 2: {
        // 0.000…0ddd with up to 340 zeros: squares and quotients of these
        // leave the range of a double.
        const int zeros = input.ConsumeIntegralInRange(0, 340);
        const unsigned digits = input.ConsumeIntegralInRange(1u, 999u);
        return (input.ConsumeBool() ? "-0." : "0.") + std::string(static_cast<std::size_t>(zeros), '0') +
               std::to_string(digits);
    }
    default:
        return std::string();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    modCommon state;
    std::int16_t showResults = kFalse;
    MetricsCalculator calculator(state, showResults);
    MeasurementTexts texts{FieldText(input), FieldText(input), FieldText(input)};
    std::string* const fields[] = {&texts.height, &texts.weight, &texts.bodyFat};
    std::string bmiBox, idealBox, fatBox;

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const auto field = static_cast<MeasurementField>(input.ConsumeIntegralInRange(0, 2));
        MetricsOutcome outcome;
        bool calculated = false;
        switch (input.ConsumeIntegralInRange(0, 4)) {
        case 0:  // typed into a field, then the focus leaves it
            *fields[static_cast<int>(field)] = FieldText(input);
            outcome = calculator.FieldCheck(field, texts);
            break;
        case 1:  // the focus leaves a field
            outcome = calculator.FieldCheck(field, texts);
            break;
        case 2:  // cmd計算
            outcome = calculator.Calculate(texts);
            calculated = true;
            break;
        case 3:  // typed into a field that keeps the focus
            *fields[static_cast<int>(field)] = FieldText(input);
            continue;
        default:  // cmd判定結果の消去
            state.ResetResults();
            bmiBox.clear();
            idealBox.clear();
            fatBox.clear();
            showResults = kFalse;
            continue;
        }

        CheckFigure(outcome.bmi);
        CheckFigure(outcome.idealWeight);
        CheckFigure(outcome.fatMass);
        Apply(bmiBox, outcome.bmi);
        Apply(idealBox, outcome.idealWeight);
        Apply(fatBox, outcome.fatMass);

        // The fault the calculation reports covers at least what the text shows.
        for (int f = 0; f < 3; ++f) {
            if (ExamineField(*fields[f]) != InputFault::None) {
                FUZZ_CHECK(outcome.faults[static_cast<std::size_t>(f)] != InputFault::None);
            }
        }
        const bool heightFaulty = outcome.fault(MeasurementField::Height) != InputFault::None;
        const bool weightFaulty = outcome.fault(MeasurementField::Weight) != InputFault::None;
        const bool bodyFatFaulty = outcome.fault(MeasurementField::BodyFat) != InputFault::None;
        // BMI and ideal weight come from the height, all three from the
        // weight, the fat mass from the body fat.
        if (heightFaulty || weightFaulty) {
            FUZZ_CHECK(bmiBox.empty());
            FUZZ_CHECK(idealBox.empty());
        }
        if (weightFaulty || bodyFatFaulty) {
            FUZZ_CHECK(fatBox.empty());
        }

        CheckAgrees(bmiBox, state.gBMI);
        CheckAgrees(idealBox, state.gIdealWeight);
        CheckAgrees(fatBox, state.gFatMass);
        FUZZ_CHECK(std::isfinite(state.gBMI) && std::isfinite(state.gIdealWeight) && std::isfinite(state.gFatMass));
        if (!bmiBox.empty() || !idealBox.empty() || !fatBox.empty()) {
            FUZZ_CHECK(showResults == kTrue);
        }
        FUZZ_CHECK(showResults == kTrue || showResults == kFalse);

        if (calculated) {
            // The message names the faulty fields; the first of them gets the focus.
            const bool anyFaulty = heightFaulty || weightFaulty || bodyFatFaulty;
            FUZZ_CHECK(outcome.message.empty() == !anyFaulty);
            FUZZ_CHECK(outcome.focusField.has_value() == anyFaulty);
            if (anyFaulty) {
                const MeasurementField first = heightFaulty   ? MeasurementField::Height
                                               : weightFaulty ? MeasurementField::Weight
                                                              : MeasurementField::BodyFat;
                FUZZ_CHECK(*outcome.focusField == first);
            }
        } else {
            FUZZ_CHECK(outcome.message.empty() && !outcome.focusField);
        }
    }
    return 0;
}
