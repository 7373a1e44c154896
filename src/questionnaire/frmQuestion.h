#pragma once
// The questionnaire window: twenty rows of statement and answer box, a page
// for each dosha, the running scores and the result.

#include <QDialog>

#include <array>

#include "questionnaire/QuestionnaireLogic.h"
#include "state/modCommon.h"
#include "state/MessageService.h"

class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace tomira {

class frmQuestion : public QDialog {
    Q_OBJECT

public:
    frmQuestion(modCommon& state, MessageService& messages, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void SetTabOrder();
    void InitQuestionnaire();
    void ShowPageStatements();
    void JudgeConstitution();
    void ShowScoreCaptions();
    void ShowButtonStates();
    void AcceptPage();
    void ShowResult();
    void Combo1_GotFocus(int k);
    void Combo1_LostFocus(int k);

    MessageService& messages_;
    QuestionnaireLogic logic_;

    QLabel* lblTitle_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    std::array<QLabel*, kRowsPerPage> Label3_{};
    std::array<QLabel*, kRowsPerPage> Label2_{};
    std::array<QComboBox*, kRowsPerPage> Combo1_{};
    QPushButton* cmd次の質問_ = nullptr;
    QPushButton* cmd結果表示_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;
    QLabel* VATA_ = nullptr;
    QLabel* PITA_ = nullptr;
    QLabel* KAPA_ = nullptr;
    QLabel* SUM_ = nullptr;
    QLabel* AVG_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QStatusBar* StatusBar1_ = nullptr;
};

// Creates the questionnaire window, shows it modally over `owner` and
// returns when it has closed, whichever way: its buttons, the close box,
// the system menu, Alt+F4, or hidden by anyone. gQuestionActive is -1
// while it is open and 0 once it has closed.
void RunQuestionnaireWindow(QWidget* owner, modCommon& state, MessageService& messages);

}  // namespace tomira
