#include "about/frmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "about/AboutTexts.h"
#include "about/SystemTools.h"
#include "state/AppText.h"
#include "state/Colours.h"
#include "ui/FormKit.h"
#include "ui/ModalWindows.h"
#include "ui/QtText.h"
#include "state/Units.h"
#include "ui/WindowCentring.h"

namespace tomira {

namespace {

constexpr LabelLook kText{.alignment = Qt::AlignLeft | Qt::AlignTop};
constexpr LabelLook kBlackText{.text = kBlack, .alignment = Qt::AlignLeft | Qt::AlignTop};

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
    // A fixed dialog frame: a title and a close box, nothing to resize.
    SetUpWindow(*this, "frmAbout", kAboutDesignCaption,
                Qt::Dialog | kTitleAndCloseBox | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(5745), TwipsToPixels(3855));
    setSizeGripEnabled(false);
    BuildControls();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::BuildControls()
{
    cmdOK_ = AddButton(*this, "cmdOK", "OK", {4245, 2760, 1380, 345});
    cmdOK_->setDefault(true);
    cmdSysInfo_ = AddButton(*this, "cmdSysInfo", "ｼｽﾃﾑ情報(&S)...", {4260, 3195, 1380, 345});

    QLabel* picIcon = AddLabel(*this, "picIcon", QString(), {240, 240, 540, 540}, kText);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(ProgramIcon());
    picIcon->setAccessibleName(QString::fromUtf8(kApplicationTitle));

    lblTitle_ = AddLabel(*this, "lblTitle", QString(), {1050, 240, 3885, 600}, kBlackText);
    lblVersion_ = AddLabel(*this, "lblVersion", QString(), {1050, 900, 3885, 225}, kText);
    AddLabel(*this, "lblDescription", kAboutDescription, {1050, 1245, 3885, 1170}, kBlackText)->setWordWrap(true);

    // Grey above white: an etched separator.
    AddLine(*this, "Line1_1", 90, 2565, 5654, 2565, kGrey);
    AddLine(*this, "Line1_0", 105, 2580, 5654, 2580, kWhite, 2);

    AddLabel(*this, "lblDisclaimer", kAboutDisclaimer, {255, 2745, 3870, 825}, kBlackText)->setWordWrap(true);

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
    lblTitle_->setText(LabelText(texts.title));
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

}  // namespace tomira
