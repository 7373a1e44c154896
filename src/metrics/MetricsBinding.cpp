#include "metrics/MetricsBinding.h"

#include <QApplication>
#include <QLineEdit>

#include "metrics/ExplanationDialogs.h"
#include "state/AppText.h"
#include "ui/ModalWindows.h"
#include "ui/QtText.h"

namespace tomira {

namespace {

// A faulty field wears a red frame until it holds a number again.
const QString kFaultStyle = QStringLiteral("QLineEdit { border: 2px solid #d00000; }");
const char* const kFaultProperty = "inputFault";

void ApplyBox(QLineEdit* box, const ResultBoxUpdate& update)
{
    switch (update.kind) {
    case ResultBoxUpdate::Kind::Unchanged:
        break;
    case ResultBoxUpdate::Kind::Cleared:
        box->clear();
        break;
    case ResultBoxUpdate::Kind::Text:
        box->setText(ToQString(update.text));
        break;
    }
}

}  // namespace

MetricsBinding::MetricsBinding(const MeasurementWidgets& widgets, modCommon& state, std::int16_t& showResults,
                               MessageService& messages, QObject* window)
    : QObject(window), widgets_(widgets), state_(state), messages_(messages), calculator_(state, showResults)
{
    for (const MeasurementField field : kMeasurementFields) {
        connect(Field(field), &QLineEdit::textChanged, this, [this, field] { TextEdited(field); });
    }
}

void MetricsBinding::FieldLeaving(QLineEdit* field)
{
    for (const MeasurementField which : kMeasurementFields) {
        if (Field(which) == field) {
            Apply(calculator_.FieldCheck(which, Texts()));
            return;
        }
    }
}

void MetricsBinding::Calculate()
{
    // The access key clicks the button without taking the focus from the
    // field, so the field is left here, and checked first.
    QWidget* focus = QApplication::focusWidget();
    for (const MeasurementField which : kMeasurementFields) {
        if (Field(which) == focus) {
            FieldLeaving(Field(which));
        }
    }
    const MetricsOutcome outcome = calculator_.Calculate(Texts());
    Apply(outcome);
    if (outcome.message.empty() || !outcome.focusField) {
        return;
    }
    messages_.ShowMessage(outcome.message, kConfirmTitle, MessageIcon::Exclamation);
    QLineEdit* faulty = Field(*outcome.focusField);
    faulty->setFocus(Qt::OtherFocusReason);
    faulty->selectAll();
}

void MetricsBinding::ShowExplanation(Explanation which, QWidget* owner)
{
    QDialog* dialog = nullptr;
    switch (which) {
    case Explanation::BMI:
        dialog = new frmBMI解説(state_, owner);
        break;
    case Explanation::IdealWeight:
        dialog = new frm理想体重解説(state_, owner);
        break;
    case Explanation::FatMass:
        dialog = new frm体脂肪量解説(state_, owner);
        break;
    }
    // Built for this opening only; closing it deletes it.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    ShowModal(*dialog);
}

MeasurementTexts MetricsBinding::Texts() const
{
    return {ToStdString(widgets_.height->text()), ToStdString(widgets_.weight->text()),
            ToStdString(widgets_.bodyFat->text())};
}

QLineEdit* MetricsBinding::Field(MeasurementField field) const
{
    switch (field) {
    case MeasurementField::Height:
        return widgets_.height;
    case MeasurementField::Weight:
        return widgets_.weight;
    case MeasurementField::BodyFat:
        return widgets_.bodyFat;
    }
    return nullptr;
}

void MetricsBinding::Apply(const MetricsOutcome& outcome)
{
    ApplyBox(widgets_.bmi, outcome.bmi);
    ApplyBox(widgets_.idealWeight, outcome.idealWeight);
    ApplyBox(widgets_.fatMass, outcome.fatMass);
    for (const MeasurementField field : kMeasurementFields) {
        Mark(field, outcome.fault(field));
    }
}

void MetricsBinding::Mark(MeasurementField field, InputFault fault)
{
    QLineEdit* box = Field(field);
    const bool faulty = fault != InputFault::None;
    if (!faulty && !box->property(kFaultProperty).toBool()) {
        return;
    }
    const QString sentence = ToQString(FaultSentence(field, fault));
    box->setProperty(kFaultProperty, faulty);
    box->setStyleSheet(faulty ? kFaultStyle : QString());
    box->setToolTip(sentence);
    box->setAccessibleDescription(sentence);
}

void MetricsBinding::TextEdited(MeasurementField field)
{
    QLineEdit* box = Field(field);
    if (box->property(kFaultProperty).toBool() && ExamineField(ToStdString(box->text())) == InputFault::None) {
        Mark(field, InputFault::None);
    }
}

}  // namespace tomira
