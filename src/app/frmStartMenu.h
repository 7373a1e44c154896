#pragma once
// The main window: personal data, the measurement fields, the results, the
// buttons and menus. It opens every other window modally.

#include <QMainWindow>

#include <memory>

#include "app/StartMenuLogic.h"
#include "state/modCommon.h"
#include "ui/FieldInputMethods.h"
#include "state/MessageService.h"

class QCheckBox;
class QFocusEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tomira {

class MetricsBinding;

class frmStartMenu : public QMainWindow {
    Q_OBJECT

public:
    frmStartMenu(modCommon& state, MessageService& messages, QWidget* parent = nullptr);
    ~frmStartMenu() override;

    StartMenuLogic& logic() { return logic_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void SetTabOrder();
    void InitMainWindow();
    void ShowNotImplemented();
    void RunQuestionnaire();
    void ClearResults();
    void ApplyMasking();
    void ShowAbout();
    // What the window's event filter does for its text fields besides the
    // input method: Enter moves to the next control, and leaving a
    // measurement field for another control of this window checks it.
    bool EnterMovesOn(QLineEdit& field, const QEvent& event);
    void FieldLeaving(QLineEdit& field, const QFocusEvent& event);

    modCommon& state_;
    MessageService& messages_;
    StartMenuLogic logic_;
    MetricsBinding* metrics_ = nullptr;
    std::unique_ptr<FieldInputMethods> inputMethods_;

    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    QLineEdit* txt名前_ = nullptr;
    QLineEdit* txt身長_ = nullptr;
    QLineEdit* txt体重_ = nullptr;
    QLineEdit* txt体脂肪率_ = nullptr;
    QCheckBox* chk体重等表示_ = nullptr;
    QPushButton* cmd計算_ = nullptr;
    QLineEdit* txtTOMIRA体質_ = nullptr;
    QPushButton* cmdTOMIRA判定_ = nullptr;
    QPushButton* cmdTOMIRA解説_ = nullptr;
    QLineEdit* txtBMI_ = nullptr;
    QPushButton* cmdBMI解説_ = nullptr;
    QLineEdit* txt理想体重_ = nullptr;
    QPushButton* cmd理想体重解説_ = nullptr;
    QLineEdit* txt体脂肪量_ = nullptr;
    QPushButton* cmd体脂肪量解説_ = nullptr;
    QPushButton* cmd判定結果の消去_ = nullptr;
    QPushButton* cmd終了_ = nullptr;
};

}  // namespace tomira
