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
#include "ui/UiServices.h"

namespace tomira {

namespace {

constexpr std::uint32_t kFieldLabelColour = 0x00FFC0C0;
constexpr double kFieldPt = 14.25;
constexpr double kButtonPt = 12;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, std::uint32_t background, double pt,
                  int left, int top, int width, int height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setFont(UiFont(pt));
    label->setAlignment(alignment);
    SetBackground(*label, background);
    PlaceTwips(*label, left, top, width, height);
    return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const char* accessibleName, int left, int top, int width,
                       int height)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setAccessibleName(QString::fromUtf8(accessibleName));
    box->setFont(UiFont(kFieldPt));
    PlaceTwips(*box, left, top, width, height);
    return box;
}

// A result box: written by the program only, white, read by a screen
// reader and reachable with Tab.
QLineEdit* MakeResultBox(QWidget* parent, const char* name, const char* accessibleName, int top)
{
    QLineEdit* box = MakeTextBox(parent, name, accessibleName, 2400, top, 3135, 360);
    box->setReadOnly(true);
    SetBackground(*box, 0x00FFFFFF);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                        int height)
{
    auto* button = new QPushButton(parent);
    SetCaption(*button, QString::fromUtf8(caption));
    button->setObjectName(QString::fromUtf8(name));
    button->setFont(UiFont(kButtonPt));
    button->setAutoDefault(false);
    PlaceTwips(*button, left, top, width, height);
    return button;
}

QFrame* MakeLine(QWidget* parent, const char* name, int x1, int y, int x2)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromUtf8(name));
    line->setFrameShape(QFrame::NoFrame);
    SetBackground(*line, 0x00000000);
    line->setGeometry(TwipsToPixels(x1), TwipsToPixels(y), TwipsToPixels(x2 - x1), 1);
    return line;
}

// Keeps an input method away from a field: the weight and body fat are
// typed directly, also while they are shown in clear.
void DisableInputMethod(QLineEdit& box)
{
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
    box.setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText |
                            Qt::ImhPreferNumbers);
}

}  // namespace

frmStartMenu::frmStartMenu(modCommon& state, MessageService& messages, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), logic_(state)
{
    setObjectName(QStringLiteral("frmStartMenu"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    BuildControls();
    BuildMenus();
    SetTabOrder();
    metrics_ = std::make_unique<MetricsBinding>(
        MeasurementWidgets{txt身長_, txt体重_, txt体脂肪率_, txtBMI_, txt理想体重_, txt体脂肪量_}, state_,
        logic_.mShowResults, messages_);
    InitMainWindow();
    // A fixed frame around the client area and the menu bar.
    adjustSize();
    setFixedSize(sizeHint());
    CentreOnScreen(*this);
}

frmStartMenu::~frmStartMenu() = default;

void frmStartMenu::BuildControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(TwipsToPixels(8160), TwipsToPixels(7905));
    setCentralWidget(client_);
    QWidget* c = client_;

    // Header and the white panel behind everything below it.
    lblTitle_ = MakeLabel(c, "lblTitle", "TOMIRA", kSysHighlightText, 15.75, 0, 0, 8175, 375, Qt::AlignCenter);
    lblVersion_ = MakeLabel(c, "lblVersion", "Version 2.xx", 0x00FFFFC0, 11.25, 0, 360, 8175, 255, Qt::AlignCenter);
    lblCopyright_ = MakeLabel(c, "lblCopyright", kMakerNotice, 0x00C0FFC0, 9.75, 0, 600, 8175, 255, Qt::AlignCenter);
    QLabel* panel = MakeLabel(c, "Label4", "", 0x00FFFFFF, 9, 0, 840, 8175, 7095);

    // Personal data.
    QLabel* lbl名前 = MakeLabel(c, "lbl名前", "名　　前", kFieldLabelColour, kFieldPt, 360, 1200, 2055, 375);
    txt名前_ = MakeTextBox(c, "txt名前", "名前", 2400, 1200, 5175, 375);
    QLabel* lbl身長 = MakeLabel(c, "lbl身長", "身　　長", kFieldLabelColour, kFieldPt, 360, 1800, 2055, 375);
    txt身長_ = MakeTextBox(c, "txt身長", "身長", 2400, 1800, 1335, 375);
    MakeLabel(c, "Label1", "cm", kFieldLabelColour, kFieldPt, 3720, 1800, 615, 375);
    QLabel* lbl体重 = MakeLabel(c, "lbl体重", "体　　重", kFieldLabelColour, kFieldPt, 360, 2400, 2055, 375);
    txt体重_ = MakeTextBox(c, "txt体重", "体重", 2400, 2400, 1335, 375);
    MakeLabel(c, "Label2", "ｋｇ", kFieldLabelColour, kFieldPt, 3720, 2400, 615, 375);
    QLabel* lbl体脂肪率 = MakeLabel(c, "lbl体脂肪率", "体脂肪率", kFieldLabelColour, kFieldPt, 360, 3000, 2055, 375);
    txt体脂肪率_ = MakeTextBox(c, "txt体脂肪率", "体脂肪率", 2400, 3000, 1335, 375);
    MakeLabel(c, "Label3", "％", kFieldLabelColour, kFieldPt, 3720, 3000, 615, 375);

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
    SetBackground(*chk体重等表示_, 0x00E0E0E0);
    PlaceTwips(*chk体重等表示_, 5520, 3000, 2175, 255);

    cmd計算_ = MakeButton(c, "cmd計算", "計算（&C）", 5400, 2040, 2295, 495);
    MakeLine(c, "Line1", 240, 3480, 7920);

    // Results.
    QLabel* lblType = MakeLabel(c, "lblアユルヴェーダ体質", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", 0x0080C0FF, kFieldPt, 360, 3720, 2055, 375);
    txtTOMIRA体質_ = MakeResultBox(c, "txtTOMIRA体質", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", 3720);
    cmdTOMIRA判定_ = MakeButton(c, "cmdTOMIRA判定", "診断", 5520, 3720, 1095, 375);
    cmdTOMIRA解説_ = MakeButton(c, "cmdTOMIRA解説", "解説", 6600, 3720, 1095, 375);
    MakeLine(c, "Line2", 240, 4320, 7920);
    QLabel* lblBMI = MakeLabel(c, "lblBMI", "体型診断（BMI）", kFieldLabelColour, kFieldPt, 360, 4560, 2055, 375);
    txtBMI_ = MakeResultBox(c, "txtBMI", "体型診断（BMI）", 4560);
    cmdBMI解説_ = MakeButton(c, "cmdBMI解説", "解説", 5520, 4560, 1095, 375);
    QLabel* lbl理想体重 = MakeLabel(c, "lbl理想体重", "理想体重（kg）", kFieldLabelColour, kFieldPt, 360, 5160, 2055, 375);
    txt理想体重_ = MakeResultBox(c, "txt理想体重", "理想体重（kg）", 5160);
    cmd理想体重解説_ = MakeButton(c, "cmd理想体重解説", "解説", 5520, 5160, 1095, 375);
    QLabel* lblFat = MakeLabel(c, "lblローレル指数", "体脂肪量（kg）", kFieldLabelColour, kFieldPt, 360, 5760, 2055, 375);
    txt体脂肪量_ = MakeResultBox(c, "txt体脂肪量", "体脂肪量（kg）", 5760);
    cmd体脂肪量解説_ = MakeButton(c, "cmd体脂肪量解説", "解説", 5520, 5760, 1095, 375);
    cmd判定結果の消去_ = MakeButton(c, "cmd判定結果の消去", "判定結果の消去(&K)", 360, 7080, 2655, 495);
    cmd終了_ = MakeButton(c, "cmd終了", "終了(&X)", 5520, 7080, 2175, 495);

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
    const std::vector<QWidget*> order = {txt名前_,       txt身長_,         txt体重_,         txt体脂肪率_,
                                         cmd計算_,       cmdTOMIRA判定_,   cmdBMI解説_,      cmd理想体重解説_,
                                         cmd体脂肪量解説_, cmd判定結果の消去_, cmd終了_,         cmdTOMIRA解説_,
                                         chk体重等表示_, txtTOMIRA体質_,   txtBMI_,          txt理想体重_,
                                         txt体脂肪量_};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmStartMenu::InitMainWindow()
{
    logic_.InitMainWindow();
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
    logic_.BeginQuestionnaire();
    RunQuestionnaireWindow(this, state_, messages_);
    while (logic_.WaitingForQuestionnaire()) {
        ProcessPendingEventsOnce();
    }
    if (const auto text = logic_.ConstitutionText()) {
        txtTOMIRA体質_->setText(ToQString(*text));
    }
    repaint();
}

void frmStartMenu::ClearResults()
{
    logic_.ClearResults();
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
    if (inputMethods_->Filter(field, event)) {
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            SendTab(*field);
            return true;  // the box receives nothing
        }
    } else if (event->type() == QEvent::FocusOut && field != txt名前_) {
        // Leaving for another control of this window, not for another window.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            metrics_->FieldLeaving(field);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tomira
