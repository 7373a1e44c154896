#pragma once
// The three explanation dialogs: BMI, ideal weight and body fat mass. Each
// is built afresh when it opens, reads the body metrics of the common
// state once, and is deleted when it closes.

#include <QDialog>

#include <cstdint>

#include "state/modCommon.h"

class QKeyEvent;
class QLabel;
class QPushButton;

namespace tomira {

// What the three dialogs share: a resizable frame without minimise and
// maximise boxes, labels at fixed places, and cmd閉じる as the only control
// that takes the focus. Esc does not close a dialog.
class ExplanationDialog : public QDialog {
protected:
    ExplanationDialog(const char* name, const char* caption, int clientWidth, int clientHeight, QWidget* owner);

    QLabel* AddLabel(const char* name, const char* text, std::uint32_t background, double pointSize, int left,
                     int top, int width, int height, Qt::Alignment alignment);
    QPushButton* AddCloseButton(int left, int top);
    void AddLine(const char* name, int x1, int y1, int x2, int y2);
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

class frm理想体重解説 : public ExplanationDialog {
public:
    frm理想体重解説(const modCommon& state, QWidget* owner);

private:
    void FillDialog();

    const modCommon& state_;
    QLabel* lbl理想体重Result_ = nullptr;
};

class frm体脂肪量解説 : public ExplanationDialog {
public:
    frm体脂肪量解説(const modCommon& state, QWidget* owner);

private:
    void FillDialog();

    const modCommon& state_;
    QLabel* lbl体脂肪量Result_ = nullptr;
};

}  // namespace tomira
