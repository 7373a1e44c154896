#include "about/frmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "state/AppText.h"
#include "ui/UiServices.h"

namespace tomira {

namespace {

constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kGrey = 0x00808080;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width, int height, bool black)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (black) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(kBlack));
        label->setPalette(palette);
    }
    PlaceTwips(*label, left, top, width, height);
    return label;
}

// A horizontal line from (x1, y) to (x2, y), `pixels` thick; like a drawn
// line it ends just before x2.
QFrame* MakeLine(QWidget* parent, const char* name, int x1, int y, int x2, int pixels, std::uint32_t colour)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromUtf8(name));
    line->setFrameShape(QFrame::NoFrame);
    SetBackground(*line, colour);
    line->setGeometry(TwipsToPixels(x1), TwipsToPixels(y), TwipsToPixels(x2) - TwipsToPixels(x1), pixels);
    return line;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                        int height)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    SetCaption(*button, QString::fromUtf8(caption));
    PlaceTwips(*button, left, top, width, height);
    return button;
}

// The program's icon at 32 x 32, from the application's window icon.
QPixmap ProgramIcon()
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) {
        icon = QIcon(QStringLiteral(":/icons/tomira-32.png"));
    }
    return icon.pixmap(32, 32);
}

}  // namespace

frmAbout::frmAbout(MessageService& messages, QWidget* parent)
    : QDialog(parent),
      registry_(MakeSystemRegistry()),
      files_(MakeSystemFileProbe()),
      starter_(MakeSystemProgramStarter()),
      logic_(*registry_, *files_, *starter_, messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog frame: a title and a close box, nothing to resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString::fromUtf8(kAboutDesignCaption));
    setFixedSize(TwipsToPixels(5745), TwipsToPixels(3855));
    setSizeGripEnabled(false);
    BuildControls();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::BuildControls()
{
    cmdOK_ = MakeButton(this, "cmdOK", "OK", 4245, 2760, 1380, 345);
    cmdOK_->setDefault(true);
    cmdSysInfo_ = MakeButton(this, "cmdSysInfo", "ｼｽﾃﾑ情報(&S)...", 4260, 3195, 1380, 345);

    picIcon_ = MakeLabel(this, "picIcon", 240, 240, 540, 540, false);
    picIcon_->setAlignment(Qt::AlignCenter);
    picIcon_->setPixmap(ProgramIcon());
    picIcon_->setAccessibleName(QString::fromUtf8(kApplicationTitle));

    lblTitle_ = MakeLabel(this, "lblTitle", 1050, 240, 3885, 600, true);
    lblVersion_ = MakeLabel(this, "lblVersion", 1050, 900, 3885, 225, false);
    lblDescription_ = MakeLabel(this, "lblDescription", 1050, 1245, 3885, 1170, true);
    lblDescription_->setWordWrap(true);
    lblDescription_->setText(QString::fromUtf8(kAboutDescription));

    // Grey above white: an etched separator.
    Line1_1_ = MakeLine(this, "Line1_1", 90, 2565, 5654, 1, kGrey);
    Line1_0_ = MakeLine(this, "Line1_0", 105, 2580, 5654, 2, kWhite);

    lblDisclaimer_ = MakeLabel(this, "lblDisclaimer", 255, 2745, 3870, 825, true);
    lblDisclaimer_->setWordWrap(true);
    lblDisclaimer_->setText(QString::fromUtf8(kAboutDisclaimer));

    setTabOrder(cmdOK_, cmdSysInfo_);
    cmdOK_->setFocus();

    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    const AboutTexts texts = LoadAboutTexts();
    setWindowTitle(ToQString(texts.caption));
    lblVersion_->setText(ToQString(texts.version));
    // The lines are joined by CR LF; a label breaks on LF.
    QString title = ToQString(texts.title);
    title.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblTitle_->setText(title);
}

void ShowAboutWindow(QWidget* owner, MessageService& messages)
{
    // A new box each time: it loads, shows modally and is gone when closed.
    frmAbout box(messages, owner);
    CentreOnScreen(box);
    ShowModal(box);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() { logic_.StartSysInfo(); }

bool frmAbout::GetKeyValue(const std::int32_t& KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal)
{
    return logic_.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

}  // namespace tomira
