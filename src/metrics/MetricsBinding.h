#pragma once
// Binds the main window's measurement fields and result boxes to the
// body-metrics calculation, and opens the explanation dialogs.

#include <QObject>

#include <cstdint>

#include "metrics/MetricsCalculator.h"
#include "state/modCommon.h"
#include "state/MessageService.h"

class QLineEdit;
class QWidget;

namespace tomira {

struct MeasurementWidgets {
    QLineEdit* height = nullptr;       // txt身長
    QLineEdit* weight = nullptr;       // txt体重
    QLineEdit* bodyFat = nullptr;      // txt体脂肪率
    QLineEdit* bmi = nullptr;          // txtBMI
    QLineEdit* idealWeight = nullptr;  // txt理想体重
    QLineEdit* fatMass = nullptr;      // txt体脂肪量
};

enum class Explanation { BMI, IdealWeight, FatMass };

// A child of the window that holds the widgets: it goes with the window,
// and its connections to the widgets with it.
class MetricsBinding : public QObject {
public:
    // showResults is the main window's mShowResults flag.
    MetricsBinding(const MeasurementWidgets& widgets, modCommon& state, std::int16_t& showResults,
                   MessageService& messages, QObject* window);

    // The focus is about to leave one of the three measurement fields.
    void FieldLeaving(QLineEdit* field);
    // cmd計算 pressed.
    void Calculate();
    // One of the three explanation buttons pressed: its dialog, modal.
    void ShowExplanation(Explanation which, QWidget* owner);

private:
    MeasurementTexts Texts() const;
    QLineEdit* Field(MeasurementField field) const;
    void Apply(const MetricsOutcome& outcome);
    void Mark(MeasurementField field, InputFault fault);
    void TextEdited(MeasurementField field);

    MeasurementWidgets widgets_;
    modCommon& state_;
    MessageService& messages_;
    MetricsCalculator calculator_;
};

}  // namespace tomira
