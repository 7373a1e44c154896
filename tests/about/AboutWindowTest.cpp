#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "about/AboutWindow.h"
#include "about/frmAbout.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using testing::RecordingMessages;
using testing::ShownMessage;

const ShownMessage kUnavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        box = std::make_unique<frmAbout>(messages);
        box->show();
        box->activateWindow();
        QApplication::setActiveWindow(box.get());
        QApplication::processEvents();
    }

    template <typename T = QWidget>
    T* Control(const char* name)
    {
        T* control = box->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) { return Control<QLabel>(name)->text(); }
    QPushButton* Button(const char* name) { return Control<QPushButton>(name); }

    RecordingMessages messages;
    std::unique_ptr<frmAbout> box;
};

TEST_F(AboutWindowTest, LoadSetsTheCaptions)
{
    EXPECT_EQ(box->windowTitle(), QStringLiteral("TOMIRAのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(Text("lblVersion"), QStringLiteral("Version 2.02"));
    const QStringList title = Text("lblTitle").split(QLatin1Char('\n'));
    ASSERT_EQ(title.size(), 3) << Text("lblTitle").toStdString();
    EXPECT_EQ(title[0], QStringLiteral("TOMIRA"));
    EXPECT_FALSE(Text("lblTitle").contains(QLatin1Char('\r')));
    EXPECT_EQ(Text("lblDescription"),
              QStringLiteral("このプログラムは、アユルヴェーダの体質を判定します。各質問にお答えいただくだけで、"
                             "簡単に体質がわかるようになります。"));
    EXPECT_FALSE(Text("lblDisclaimer").isEmpty());
    EXPECT_EQ(Button("cmdOK")->text(), QStringLiteral("OK"));
    EXPECT_EQ(Button("cmdSysInfo")->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    EXPECT_EQ(Button("cmdSysInfo")->accessibleName(), QStringLiteral("ｼｽﾃﾑ情報..."));
}

TEST_F(AboutWindowTest, ControlsSitWhereTheLayoutPutsThem)
{
    // Client area 5745 x 3855 twips, fixed.
    EXPECT_EQ(box->size(), QSize(383, 257));
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    struct Place {
        const char* name;
        QRect pixels;
    };
    for (const Place& p : {Place{"picIcon", {16, 16, 36, 36}}, Place{"lblTitle", {70, 16, 259, 40}},
                           Place{"lblVersion", {70, 60, 259, 15}}, Place{"lblDescription", {70, 83, 259, 78}},
                           Place{"lblDisclaimer", {17, 183, 258, 55}}, Place{"cmdOK", {283, 184, 92, 23}},
                           Place{"cmdSysInfo", {284, 213, 92, 23}}}) {
        EXPECT_EQ(Control(p.name)->geometry(), p.pixels) << p.name;
    }
    EXPECT_TRUE(Control<QLabel>("lblDescription")->wordWrap());
    EXPECT_TRUE(Control<QLabel>("lblDisclaimer")->wordWrap());
    EXPECT_FALSE(Control<QLabel>("picIcon")->pixmap().isNull());
    EXPECT_EQ(Control<QLabel>("picIcon")->pixmap().size(), QSize(32, 32));
}

TEST_F(AboutWindowTest, TwoLinesFormAnEtchedSeparator)
{
    QWidget* grey = Control("Line1_1");
    QWidget* white = Control("Line1_0");
    EXPECT_EQ(grey->geometry(), QRect(6, 171, 371, 1));
    EXPECT_EQ(white->geometry(), QRect(7, 172, 370, 2));
    const QImage image = box->grab().toImage();
    EXPECT_EQ(image.pixelColor(100, 171), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixelColor(100, 172), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(image.pixelColor(100, 173), QColor(0xFF, 0xFF, 0xFF));
}

TEST_F(AboutWindowTest, OkHasTheFocusAndTabGoesToSysInfoAndBack)
{
    EXPECT_EQ(QApplication::focusWidget(), Button("cmdOK"));
    EXPECT_TRUE(Button("cmdOK")->isDefault());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button("cmdSysInfo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button("cmdOK"));
}

TEST_F(AboutWindowTest, EnterAndEscCloseTheBox)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        box = std::make_unique<frmAbout>(messages);
        box->show();
        QApplication::setActiveWindow(box.get());
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_FALSE(box->isVisible()) << key;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutWindowTest, SysInfoSaysItIsUnavailableAndTheBoxStaysOpen)
{
    bool openDuringMessage = false;
    messages.onShow = [&](const ShownMessage&) { openDuringMessage = box->isVisible(); };
    Button("cmdSysInfo")->click();
    EXPECT_EQ(messages.shown, std::vector<ShownMessage>{kUnavailable});
    EXPECT_TRUE(openDuringMessage);
    EXPECT_TRUE(box->isVisible());
    // The access key presses it again (the button shows itself pressed for
    // a moment first); the box can still be closed.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.shown.size() == 2; }, 2000));
    EXPECT_TRUE(box->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
}

TEST_F(AboutWindowTest, EnterOnFocusedSysInfoPressesIt)
{
    Button("cmdSysInfo")->setFocus();
    QTest::keyClick(Button("cmdSysInfo"), Qt::Key_Return);
    EXPECT_EQ(messages.shown, std::vector<ShownMessage>{kUnavailable});
    EXPECT_TRUE(box->isVisible());
}

TEST(ShowAboutWindowTest, ShowsModallyAndReturnsWhenClosed)
{
    RecordingMessages messages;
    QString captionSeen;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown == nullptr) {
            return;
        }
        captionSeen = shown->windowTitle();
        modal = shown->isModal();
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    ShowAboutWindow(nullptr, messages);
    EXPECT_EQ(captionSeen, QStringLiteral("TOMIRAのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace tomira
