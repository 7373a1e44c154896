#include "app/frmStartMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <vector>

#include "about/frmAbout.h"
#include "metrics/MetricsBinding.h"
#include "questionnaire/frmQuestion.h"
#include "state/AppText.h"
#include "state/Colours.h"
#include "ui/DesktopInputMethod.h"
#include "ui/FormKit.h"
#include "ui/Keystrokes.h"
#include "ui/ProgramColours.h"
#include "ui/ProgramFont.h"
#include "ui/QtText.h"
#include "state/Units.h"
#include "ui/WindowCentring.h"

namespace tomira {

namespace {

constexpr double kFieldPt = 14.25;
constexpr double kButtonPt = 12;
// The labels of the fields and result boxes.
constexpr LabelLook kFieldLabel{.ground = kLightBlue, .pointSize = kFieldPt};

QLineEdit* AddTextBox(QWidget& parent, const char* name, const char* accessibleName, Twips place)
{
    auto* box = new QLineEdit(&parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setAccessibleName(QString::fromUtf8(accessibleName));
    box->setFont(UiFont(kFieldPt));
    PlaceTwips(*box, place);
    return box;
}

// A result box: written by the program only, white, read by a screen
// reader and reachable with Tab.
QLineEdit* AddResultBox(QWidget& parent, const char* name, const char* accessibleName, int top)
{
    QLineEdit* box = AddTextBox(parent, name, accessibleName, {2400, top, 3135, 360});
    box->setReadOnly(true);
    SetBackground(*box, kWhite);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

// Keeps an input method away from a field: the weight and body fat are
// typed directly, also while they are shown in clear.
void DisableInputMethod(QLineEdit& box)
{
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
    box.setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText | Qt::ImhPreferNumbers);
}

}  // namespace

frmStartMenu::frmStartMenu(modCommon& state, MessageService& messages, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), logic_(state)
{
    SetUpWindow(*this, "frmStartMenu", kApplicationTitle, Qt::Window | kTitleAndCloseBox);
    BuildControls();
    BuildMenus();
    SetTabOrder();
    metrics_ =
        new MetricsBinding(MeasurementWidgets{txt身長_, txt体重_, txt体脂肪率_, txtBMI_, txt理想体重_, txt体脂肪量_},
                           state_, logic_.mShowResults, messages_, this);
    InitMainWindow();
    // A fixed frame around the client area and the menu bar.
    adjustSize();
    setFixedSize(sizeHint());
    CentreOnScreen(*this);
}

frmStartMenu::~frmStartMenu() = default;

void frmStartMenu::BuildControls()
{
    auto* c = new QWidget(this);
    c->setObjectName(QStringLiteral("client"));
    c->setFixedSize(TwipsToPixels(8160), TwipsToPixels(7905));
    setCentralWidget(c);

    // Header and the white panel behind everything below it.
    constexpr Qt::Alignment centred = Qt::AlignCenter;
    lblTitle_ = AddLabel(*c, "lblTitle", "TOMIRA", {0, 0, 8175, 375},
                         {.ground = kSysHighlightText, .pointSize = 15.75, .alignment = centred});
    lblVersion_ = AddLabel(*c, "lblVersion", "Version 2.xx", {0, 360, 8175, 255},
                           {.ground = kLightCyan, .pointSize = 11.25, .alignment = centred});
    lblCopyright_ = AddLabel(*c, "lblCopyright", kMakerNotice, {0, 600, 8175, 255},
                             {.ground = kLightGreen, .pointSize = 9.75, .alignment = centred});
    QLabel* panel = AddLabel(*c, "Label4", "", {0, 840, 8175, 7095}, {.ground = kWhite, .pointSize = 9});

    // Personal data.
    QLabel* lbl名前 = AddLabel(*c, "lbl名前", "名　　前", {360, 1200, 2055, 375}, kFieldLabel);
    txt名前_ = AddTextBox(*c, "txt名前", "名前", {2400, 1200, 5175, 375});
    QLabel* lbl身長 = AddLabel(*c, "lbl身長", "身　　長", {360, 1800, 2055, 375}, kFieldLabel);
    txt身長_ = AddTextBox(*c, "txt身長", "身長", {2400, 1800, 1335, 375});
    AddLabel(*c, "Label1", "cm", {3720, 1800, 615, 375}, kFieldLabel);
    QLabel* lbl体重 = AddLabel(*c, "lbl体重", "体　　重", {360, 2400, 2055, 375}, kFieldLabel);
    txt体重_ = AddTextBox(*c, "txt体重", "体重", {2400, 2400, 1335, 375});
    AddLabel(*c, "Label2", "ｋｇ", {3720, 2400, 615, 375}, kFieldLabel);
    QLabel* lbl体脂肪率 = AddLabel(*c, "lbl体脂肪率", "体脂肪率", {360, 3000, 2055, 375}, kFieldLabel);
    txt体脂肪率_ = AddTextBox(*c, "txt体脂肪率", "体脂肪率", {2400, 3000, 1335, 375});
    AddLabel(*c, "Label3", "％", {3720, 3000, 615, 375}, kFieldLabel);

    // The name is typed in Japanese; the height with the input method off.
    txt名前_->setInputMethodHints(Qt::ImhNone);
    txt身長_->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    txt体重_->setEchoMode(QLineEdit::Password);
    txt体脂肪率_->setEchoMode(QLineEdit::Password);
    DisableInputMethod(*txt体重_);
    DisableInputMethod(*txt体脂肪率_);

    chk体重等表示_ = new QCheckBox(QStringLiteral("体重等を表示する"), c);
    chk体重等表示_->setObjectName(QStringLiteral("chk体重等表示"));
    chk体重等表示_->setFont(UiFont(12));
    SetBackground(*chk体重等表示_, kLightGrey);
    PlaceTwips(*chk体重等表示_, {5520, 3000, 2175, 255});

    cmd計算_ = AddButton(*c, "cmd計算", "計算（&C）", {5400, 2040, 2295, 495}, kButtonPt);
    AddLine(*c, "Line1", 240, 3480, 7920, 3480, kBlack);

    // Results.
    QLabel* lblType = AddLabel(*c, "lblアユルヴェーダ体質", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", {360, 3720, 2055, 375},
                               {.ground = kLightOrange, .pointSize = kFieldPt});
    txtTOMIRA体質_ = AddResultBox(*c, "txtTOMIRA体質", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", 3720);
    cmdTOMIRA判定_ = AddButton(*c, "cmdTOMIRA判定", "診断", {5520, 3720, 1095, 375}, kButtonPt);
    cmdTOMIRA解説_ = AddButton(*c, "cmdTOMIRA解説", "解説", {6600, 3720, 1095, 375}, kButtonPt);
    AddLine(*c, "Line2", 240, 4320, 7920, 4320, kBlack);
    QLabel* lblBMI = AddLabel(*c, "lblBMI", "体型診断（BMI）", {360, 4560, 2055, 375}, kFieldLabel);
    txtBMI_ = AddResultBox(*c, "txtBMI", "体型診断（BMI）", 4560);
    cmdBMI解説_ = AddButton(*c, "cmdBMI解説", "解説", {5520, 4560, 1095, 375}, kButtonPt);
    QLabel* lbl理想体重 = AddLabel(*c, "lbl理想体重", "理想体重（kg）", {360, 5160, 2055, 375}, kFieldLabel);
    txt理想体重_ = AddResultBox(*c, "txt理想体重", "理想体重（kg）", 5160);
    cmd理想体重解説_ = AddButton(*c, "cmd理想体重解説", "解説", {5520, 5160, 1095, 375}, kButtonPt);
    QLabel* lblFat = AddLabel(*c, "lblローレル指数", "体脂肪量（kg）", {360, 5760, 2055, 375}, kFieldLabel);
    txt体脂肪量_ = AddResultBox(*c, "txt体脂肪量", "体脂肪量（kg）", 5760);
    cmd体脂肪量解説_ = AddButton(*c, "cmd体脂肪量解説", "解説", {5520, 5760, 1095, 375}, kButtonPt);
    cmd判定結果の消去_ = AddButton(*c, "cmd判定結果の消去", "判定結果の消去(&K)", {360, 7080, 2655, 495}, kButtonPt);
    cmd終了_ = AddButton(*c, "cmd終了", "終了(&X)", {5520, 7080, 2175, 495}, kButtonPt);

    // The explanation buttons all read "解説"; a screen reader also says what.
    cmdTOMIRA解説_->setAccessibleDescription(QStringLiteral("ｱﾕﾙｳﾞｪｰﾀﾞ体質の解説"));
    cmdBMI解説_->setAccessibleDescription(QStringLiteral("体型診断（BMI）の解説"));
    cmd理想体重解説_->setAccessibleDescription(QStringLiteral("理想体重（kg）の解説"));
    cmd体脂肪量解説_->setAccessibleDescription(QStringLiteral("体脂肪量（kg）の解説"));

    // Each label names the box beside it (label-for / labelled-by).
    lbl名前->setBuddy(txt名前_);
    lbl身長->setBuddy(txt身長_);
    lbl体重->setBuddy(txt体重_);
    lbl体脂肪率->setBuddy(txt体脂肪率_);
    lblType->setBuddy(txtTOMIRA体質_);
    lblBMI->setBuddy(txtBMI_);
    lbl理想体重->setBuddy(txt理想体重_);
    lblFat->setBuddy(txt体脂肪量_);

    panel->lower();

    // The name in Hiragana, the height with the IME off, none for the rest.
    inputMethods_ = std::make_unique<FieldInputMethods>(MakeInputMethod(*this));
    inputMethods_->SetMode(txt名前_, ImeMode::Hiragana);
    inputMethods_->SetMode(txt身長_, ImeMode::Off);
    inputMethods_->SetMode(txt体重_, ImeMode::Disabled);
    inputMethods_->SetMode(txt体脂肪率_, ImeMode::Disabled);
    for (QLineEdit* field : {txt名前_, txt身長_, txt体重_, txt体脂肪率_}) {
        field->installEventFilter(this);
    }

    connect(cmd計算_, &QPushButton::clicked, this, [this] { metrics_->Calculate(); });
    connect(cmdTOMIRA判定_, &QPushButton::clicked, this, &frmStartMenu::RunQuestionnaire);
    connect(cmdTOMIRA解説_, &QPushButton::clicked, this, &frmStartMenu::ShowNotImplemented);
    connect(cmdBMI解説_, &QPushButton::clicked, this, [this] { metrics_->ShowExplanation(Explanation::BMI, this); });
    connect(cmd理想体重解説_, &QPushButton::clicked, this,
            [this] { metrics_->ShowExplanation(Explanation::IdealWeight, this); });
    connect(cmd体脂肪量解説_, &QPushButton::clicked, this,
            [this] { metrics_->ShowExplanation(Explanation::FatMass, this); });
    connect(cmd判定結果の消去_, &QPushButton::clicked, this, &frmStartMenu::ClearResults);
    connect(cmd終了_, &QPushButton::clicked, this, &QWidget::close);
    connect(chk体重等表示_, &QCheckBox::toggled, this, &frmStartMenu::ApplyMasking);
}

void frmStartMenu::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setFont(UiFont(9));
    QMenu* file = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnFIle"));
    file->menuAction()->setObjectName(QStringLiteral("mnFIle"));
    const auto addItem = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    connect(addItem(file, "mnFileOpen", "開く(&O)"), &QAction::triggered, this, &frmStartMenu::ShowNotImplemented);
    connect(addItem(file, "mnFileSaveAs", "名前をつけて保存(&S)"), &QAction::triggered, this,
            &frmStartMenu::ShowNotImplemented);
    connect(addItem(file, "mnFileOverWrite", "上書保存(&W)"), &QAction::triggered, this,
            &frmStartMenu::ShowNotImplemented);
    file->addSeparator()->setObjectName(QStringLiteral("mnFileDummy"));
    connect(addItem(file, "mnFIleExit", "終了(&X)"), &QAction::triggered, this, &QWidget::close);

    // The Option menu has no items: its title is the command.
    QAction* option = bar->addAction(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    option->setObjectName(QStringLiteral("mnOption"));
    connect(option, &QAction::triggered, this, &frmStartMenu::ShowNotImplemented);

    QMenu* help = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("mnHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnHelp"));
    connect(addItem(help, "mnHelpVersion", "ﾊﾞｰｼﾞｮﾝ情報(&V)"), &QAction::triggered, this, &frmStartMenu::ShowAbout);
}

void frmStartMenu::SetTabOrder()
{
    // Tab indices 0 to 16 of the controls that take the focus.
    const std::vector<QWidget*> order = {
        txt名前_,       txt身長_,         txt体重_,         txt体脂肪率_,       cmd計算_,    cmdTOMIRA判定_,
        cmdBMI解説_,    cmd理想体重解説_, cmd体脂肪量解説_, cmd判定結果の消去_, cmd終了_,    cmdTOMIRA解説_,
        chk体重等表示_, txtTOMIRA体質_,   txtBMI_,          txt理想体重_,       txt体脂肪量_};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmStartMenu::InitMainWindow()
{
    logic_.ResetResults();
    lblTitle_->setText(QString::fromUtf8(kApplicationTitle));
    lblVersion_->setText(QString::fromUtf8(kVersionText));
    lblCopyright_->setText(QString::fromUtf8(kMakerNotice));
    {
        const QSignalBlocker block(chk体重等表示_);
        chk体重等表示_->setChecked(false);
    }
}

void frmStartMenu::ShowNotImplemented()
{
    messages_.ShowMessage("ごめんなさい。まだ処理ができていません。", kApplicationTitle, MessageIcon::None);
}

void frmStartMenu::RunQuestionnaire()
{
    RunQuestionnaireWindow(this, state_, messages_);
    if (const auto text = logic_.ConstitutionText()) {
        txtTOMIRA体質_->setText(ToQString(*text));
    }
    repaint();
}

void frmStartMenu::ClearResults()
{
    logic_.ResetResults();
    for (QLineEdit* box : {txtTOMIRA体質_, txtBMI_, txt理想体重_, txt体脂肪量_}) {
        box->clear();
    }
}

void frmStartMenu::ApplyMasking()
{
    const bool clear = chk体重等表示_->isChecked();
    for (QLineEdit* box : {txt体重_, txt体脂肪率_}) {
        box->setEchoMode(clear ? QLineEdit::Normal : QLineEdit::Password);
        // Changing the echo mode switches the input method back on.
        DisableInputMethod(*box);
    }
}

void frmStartMenu::ShowAbout() { ShowAboutWindow(this, messages_); }

bool frmStartMenu::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (inputMethods_->Filter(field, event) || EnterMovesOn(*field, *event)) {
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        FieldLeaving(*field, static_cast<QFocusEvent&>(*event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmStartMenu::EnterMovesOn(QLineEdit& field, const QEvent& event)
{
    if (event.type() != QEvent::KeyPress || !IsPlainEnter(static_cast<const QKeyEvent&>(event))) {
        return false;
    }
    SendTab(field);
    return true;  // the box receives nothing
}

void frmStartMenu::FieldLeaving(QLineEdit& field, const QFocusEvent& event)
{
    // Leaving for another control of this window, not for another window.
    const Qt::FocusReason reason = event.reason();
    if (&field != txt名前_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason) {
        metrics_->FieldLeaving(&field);
    }
}

}  // namespace tomira
