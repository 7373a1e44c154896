#include "questionnaire/frmQuestion.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>

#include <algorithm>

#include "state/AppText.h"
#include "state/Colours.h"
#include "ui/FormKit.h"
#include "ui/ModalWindows.h"
#include "ui/ProgramColours.h"
#include "ui/QtText.h"
#include "state/Units.h"
#include "ui/WindowCentring.h"

namespace tomira {

namespace {

constexpr int kClientWidth = 10335;
constexpr int kClientHeight = 8580;
constexpr int kRowTop = 960;
constexpr int kRowPitch = 360;

// The row being answered.
constexpr std::uint32_t kActiveStatement = kLightYellow;
constexpr std::uint32_t kActiveNumber = kBrightGreen;
constexpr double kScorePt = 11.25;

QPushButton* AddCommand(QWidget& parent, const char* name, const char* caption, int top)
{
    // Not a default button: Enter in an answer box presses nothing.
    return AddButton(parent, name, caption, {9000, top, 1215, 375});
}

}  // namespace

frmQuestion::frmQuestion(modCommon& state, MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), logic_(state)
{
    // A sizable window with the minimise, maximise and close boxes.
    SetUpWindow(*this, "frmQuestion", kApplicationTitle,
                Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                    Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);  // the status bar has its own
    BuildControls();
    SetTabOrder();
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    InitQuestionnaire();
    CentreOnScreen(*this);
    // The first answer box has the focus when the window appears.
    Combo1_[0]->setFocus(Qt::OtherFocusReason);
}

void frmQuestion::BuildControls()
{
    SetBackground(*this, kSysButtonFace);

    lblTitle_ = AddLabel(*this, "lblTitle", QString(), {240, 120, 9975, 375},
                         {.ground = kWhite, .pointSize = 14.25, .alignment = Qt::AlignCenter});
    lblCopyright_ = AddLabel(*this, "lblCopyright", kMakerNotice, {240, 480, 9975, 255},
                             {.ground = kLightGreen, .alignment = Qt::AlignCenter});

    for (int k = 0; k < kRowsPerPage; ++k) {
        const int top = kRowTop + kRowPitch * k;
        const auto i = static_cast<std::size_t>(k);
        Label3_[i] = AddLabel(*this, QStringLiteral("Label3_%1").arg(k), QString::number(k + 1), {0, top, 255, 255},
                              {.ground = kSysButtonFace, .alignment = Qt::AlignCenter});
        Label2_[i] =
            AddLabel(*this, QStringLiteral("Label2_%1").arg(k), QString(), {240, top, 6255, 255}, {.ground = kWhite});

        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("Combo1_%1").arg(k));
        box->setEditable(false);               // a choice from the list only
        box->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus
        PlaceTwips(*box, {6600, top, 2175, 300});
        box->installEventFilter(this);
        // A screen reader names the box by its row number and statement
        // (labelled-by), its value being the chosen answer.
        Label3_[i]->setBuddy(box);
        Label2_[i]->setBuddy(box);
        Combo1_[i] = box;
    }

    cmd次の質問_ = AddCommand(*this, "cmd次の質問", "次の質問", 1200);
    cmd結果表示_ = AddCommand(*this, "cmd結果表示", "結果表示", 1920);
    cmd閉じる_ = AddCommand(*this, "cmd閉じる", "閉じる", 2640);

    const auto scoreLabel = [this](const char* name, std::uint32_t ground, int top) {
        return AddLabel(*this, name, QString(), {9000, top, 1215, 255}, {.ground = ground, .pointSize = kScorePt});
    };
    VATA_ = scoreLabel("VATA", kLightGreen, 3480);
    PITA_ = scoreLabel("PITA", kLightGreen, 3960);
    KAPA_ = scoreLabel("KAPA", kLightGreen, 4440);
    SUM_ = scoreLabel("SUM", kLightCyan, 5040);
    AVG_ = scoreLabel("AVG", kLightCyan, 5520);

    // Switched off for good: drawn greyed, never pressed, no action.
    Command1_ = AddCommand(*this, "Command1", "Command1", 7200);
    Command1_->setEnabled(false);

    StatusBar1_ = new QStatusBar(this);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    auto* statusText = new QLabel(QString::fromUtf8(kQuestionStatusText), StatusBar1_);
    statusText->setObjectName(QStringLiteral("StatusBar1_Text"));
    StatusBar1_->addWidget(statusText, 1);

    connect(cmd次の質問_, &QPushButton::clicked, this, &frmQuestion::AcceptPage);
    connect(cmd結果表示_, &QPushButton::clicked, this, &frmQuestion::ShowResult);
    connect(cmd閉じる_, &QPushButton::clicked, this, &QWidget::close);
}

void frmQuestion::SetTabOrder()
{
    // Down the answer boxes (the statement labels take no focus), then the
    // three buttons.
    QWidget* previous = Combo1_[0];
    for (std::size_t k = 1; k < Combo1_.size(); ++k) {
        QWidget::setTabOrder(previous, Combo1_[k]);
        previous = Combo1_[k];
    }
    for (QWidget* button : {static_cast<QWidget*>(cmd次の質問_), static_cast<QWidget*>(cmd結果表示_),
                            static_cast<QWidget*>(cmd閉じる_)}) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void frmQuestion::InitQuestionnaire()
{
    lblTitle_->setText(ToQString(QuestionnaireTitle()));
    lblCopyright_->setText(QString::fromUtf8(kMakerNotice));
    logic_.InitQuestionnaire();
    ShowPageStatements();
    ShowButtonStates();
    ShowScoreCaptions();

    QStringList entries;
    for (const std::string_view entry : AnswerScale()) {
        entries << QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
    }
    for (QComboBox* box : Combo1_) {
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
}

void frmQuestion::ShowPageStatements()
{
    for (QComboBox* box : Combo1_) {
        box->setCurrentIndex(-1);
    }
    const std::optional<PageTexts> texts = logic_.PageStatements();
    if (!texts) {
        return;
    }
    for (std::size_t k = 0; k < Combo1_.size(); ++k) {
        const QString statement = ToQString((*texts)[k]);
        Label2_[k]->setText(statement);
        // A screen reader says which row and statement is being answered.
        Combo1_[k]->setAccessibleName(QString::number(k + 1) + statement);
    }
}

void frmQuestion::ShowScoreCaptions()
{
    const ScoreCaptions& c = logic_.Captions();
    VATA_->setText(ToQString(c.vata));
    PITA_->setText(ToQString(c.pitta));
    KAPA_->setText(ToQString(c.kapha));
    SUM_->setText(ToQString(c.sum));
    AVG_->setText(ToQString(c.avg));
}

void frmQuestion::ShowButtonStates()
{
    cmd次の質問_->setEnabled(logic_.NextEnabled());
    cmd結果表示_->setEnabled(logic_.ResultEnabled());
}

void frmQuestion::AcceptPage()
{
    PageAnswers answers;
    for (std::size_t k = 0; k < Combo1_.size(); ++k) {
        answers[k] = ToStdString(Combo1_[k]->currentText());
    }
    const PageOutcome outcome = logic_.AcceptPage(answers);
    if (outcome.result == PageResult::Refused) {
        messages_.ShowMessage(outcome.message, kConfirmTitle, MessageIcon::Exclamation);
        return;
    }
    if (outcome.result == PageResult::Accepted) {
        ShowScoreCaptions();
        ShowPageStatements();
        ShowButtonStates();
    }
    Combo1_[0]->setFocus(Qt::OtherFocusReason);
}

void frmQuestion::JudgeConstitution()
{
    const Judgement judgement = logic_.JudgeConstitution();
    ShowScoreCaptions();
    messages_.ShowMessage(judgement.report, kConfirmTitle, MessageIcon::Exclamation);
}

void frmQuestion::ShowResult()
{
    JudgeConstitution();
    logic_.ResetAfterResult();
    ShowButtonStates();
    ShowPageStatements();
    ShowScoreCaptions();
    close();
}

void RunQuestionnaireWindow(QWidget* owner, modCommon& state, MessageService& messages)
{
    // Loaded anew for every run, so each questionnaire starts fresh. The
    // window's own modal loop is the only wait: it ends as the window is
    // hidden, by done() or not.
    state.QuestionnaireOpening();
    frmQuestion window(state, messages, owner);
    ShowModal(window);
    state.QuestionnaireClosed();
}

void frmQuestion::Combo1_GotFocus(int k)
{
    SetBackground(*Label2_[static_cast<std::size_t>(k)], kActiveStatement);
    SetBackground(*Label3_[static_cast<std::size_t>(k)], kActiveNumber);
}

void frmQuestion::Combo1_LostFocus(int k)
{
    SetBackground(*Label2_[static_cast<std::size_t>(k)], kWhite);
    SetBackground(*Label3_[static_cast<std::size_t>(k)], kSysButtonFace);
}

bool frmQuestion::eventFilter(QObject* watched, QEvent* event)
{
    const auto row = std::find(Combo1_.begin(), Combo1_.end(), watched);
    if (row == Combo1_.end()) {
        return QDialog::eventFilter(watched, event);
    }
    QComboBox* box = *row;
    const int k = static_cast<int>(row - Combo1_.begin());
    switch (event->type()) {
    case QEvent::FocusIn:
        Combo1_GotFocus(k);
        break;
    case QEvent::FocusOut: {
        // The box's own list (which takes the focus as it first opens), a
        // message box or another window taking over for a while does not
        // move the focus off the row.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !box->view()->isVisible()) {
            Combo1_LostFocus(k);
        }
        break;
    }
    case QEvent::Wheel:
        // Scrolling over the window never chooses an answer: only the box
        // the user is in follows the wheel.
        if (!box->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmQuestion::keyPressEvent(QKeyEvent* event)
{
    // Escape does not throw the answers away; the window closes by its
    // button or its frame.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmQuestion::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The controls keep their places; the status bar follows the bottom edge.
    const int height = StatusBar1_->sizeHint().height();
    StatusBar1_->setGeometry(0, this->height() - height, width(), height);
}

}  // namespace tomira
