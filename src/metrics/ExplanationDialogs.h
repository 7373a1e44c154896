#pragma once
// The three explanation dialogs: BMI, ideal weight and body fat mass. Each
// is built afresh when it opens, reads the body metrics of the common
// state once, and is deleted when it closes.

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

#include "state/modCommon.h"
#include "ui/FormKit.h"

class QKeyEvent;
class QLabel;

namespace tomira {

// What the three dialogs share: a resizable frame without minimise and
// maximise boxes, labels at fixed places, and cmd閉じる as the only control
// that takes the focus. Esc does not close a dialog.
class ExplanationDialog : public QDialog {
protected:
    ExplanationDialog(const QString& name, const QString& caption, int clientWidth, int clientHeight, QWidget* owner);

    QLabel* AddText(const QString& name, const QString& text, Twips place, const LabelLook& look);
    void AddCloseButton(int left, int top);
    // Brings the window to its place once its controls exist.
    void Place();

    void keyPressEvent(QKeyEvent* event) override;
};

class frmBMI解説 : public ExplanationDialog {
public:
    frmBMI解説(const modCommon& state, QWidget* owner);

private:
    void FillDialog();

    const modCommon& state_;
    QLabel* lblBMI解説_ = nullptr;
    QLabel* lblBMIResult_ = nullptr;
};

// The ideal weight and body fat mass dialogs: three lines on what the
// figure is and how it is computed, and the user's figure.
class FormulaExplanation : public ExplanationDialog {
protected:
    struct Texts {
        const char* subject;               // "理想体重": names the dialog and its labels
        std::array<const char*, 3> lines;  // the explanation
        const char* sampleResult;          // the result line as designed
        std::string (*result)(const modCommon&);
    };
    FormulaExplanation(const Texts& texts, const modCommon& state, QWidget* owner);

private:
    void FillDialog();

    const modCommon& state_;
    std::string (*result_)(const modCommon&);
    QLabel* lblResult_ = nullptr;
};

class frm理想体重解説 : public FormulaExplanation {
public:
    frm理想体重解説(const modCommon& state, QWidget* owner);
};

class frm体脂肪量解説 : public FormulaExplanation {
public:
    frm体脂肪量解説(const modCommon& state, QWidget* owner);
};

}  // namespace tomira
