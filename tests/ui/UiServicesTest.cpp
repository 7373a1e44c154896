#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "ui/UiServices.h"

namespace tomira {
namespace {

// Waits for the first QMessageBox to open, records it and closes it.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Question;
    QList<QAbstractButton*> buttons;
    bool seen = false;
};

void CloseNextMessageBox(BoxSeen& seen)
{
    QTimer::singleShot(10, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            CloseNextMessageBox(seen);
            return;
        }
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons();
        ASSERT_EQ(box->buttons().size(), 1);
        box->buttons().first()->click();
    });
}

TEST(QtMessageService, ShowsAModalBoxWithTextTitleIconAndOk)
{
    QtMessageService service;
    BoxSeen seen;
    CloseNextMessageBox(seen);
    service.ShowMessage("一行目\r\n二行目", "確認", MessageIcon::Exclamation);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, QStringLiteral("確認"));
    EXPECT_EQ(seen.text, QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    BoxSeen plain;
    CloseNextMessageBox(plain);
    service.ShowMessage("ごめんなさい。", "TOMIRA", MessageIcon::None);
    ASSERT_TRUE(plain.seen);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.title, QStringLiteral("TOMIRA"));
}

TEST(UiServices, ColoursAndSystemColours)
{
    EXPECT_EQ(ToQColor(0x00FFC0C0), QColor(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(ToQColor(0x00000000), QColor(0, 0, 0));
    EXPECT_EQ(ToQColor(kSysButtonFace), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(ToQColor(kSysHighlightText), QApplication::palette().color(QPalette::HighlightedText));
}

TEST(UiServices, JapaneseFontResolvesToAnInstalledJapaneseFamily)
{
    QLabel label(QStringLiteral("体脂肪率"));
    label.setFont(UiFont(14.25));
    const QString family = QFontInfo(label.font()).family();
    EXPECT_TRUE(family.contains(QStringLiteral("Gothic")) || family.contains(QStringLiteral("ゴシック")) ||
                family.contains(QStringLiteral("Noto Sans CJK")))
        << family.toStdString();
    const QFontMetrics metrics(label.font());
    EXPECT_TRUE(metrics.inFont(QChar(0x4F53)));  // 体
    EXPECT_TRUE(metrics.inFont(QChar(0xFF71)));  // ｱ, half-width katakana
}

TEST(UiServices, SendTabMovesTheFocusLikeTheTabKey)
{
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    QWidget::setTabOrder(first, second);
    window.show();
    window.activateWindow();
    first->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(first->hasFocus());
    SendTab(*first);
    EXPECT_TRUE(first->hasFocus());  // queued, not yet handled
    QApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());
}

TEST(UiServices, AccessibleCaptionDropsTheAccessKeyMarker)
{
    const std::pair<const char*, const char*> cases[] = {
        {"計算（&C）", "計算"},           {"判定結果の消去(&K)", "判定結果の消去"},
        {"ｼｽﾃﾑ情報(&S)...", "ｼｽﾃﾑ情報..."}, {"&OK", "OK"},
        {"診断", "診断"},                 {"A && B", "A & B"},
    };
    for (const auto& [caption, spoken] : cases) {
        EXPECT_EQ(AccessibleCaption(QString::fromUtf8(caption)), QString::fromUtf8(spoken)) << caption;
    }
}

TEST(UiServices, TwipsRectPlacesWidgets)
{
    QWidget widget;
    PlaceTwips(widget, 360, 1200, 2055, 375);
    EXPECT_EQ(widget.geometry(), QRect(24, 80, 137, 25));
}

TEST(UiServices, EnterPressesTheFocusedButtonOnly)
{
    // A dialog with a default button: Enter on another focused button
    // presses that one, not the default; modified Enter and a disabled
    // button press nothing.
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool enabled;
        int focusedPresses, defaultPresses;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, true, 1, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, true, 1, 0},
        {Qt::Key_Return, Qt::ShiftModifier, true, 0, 0},
        {Qt::Key_Return, Qt::NoModifier, false, 0, 0},
    };
    for (const Case& c : cases) {
        QDialog dialog;
        auto* byDefault = new QPushButton(QStringLiteral("OK"), &dialog);
        auto* focused = new QPushButton(QStringLiteral("Other"), &dialog);
        byDefault->setDefault(true);
        focused->setAutoDefault(false);
        focused->setEnabled(c.enabled);
        int focusedPresses = 0;
        int defaultPresses = 0;
        QObject::connect(focused, &QPushButton::clicked, [&] { ++focusedPresses; });
        QObject::connect(byDefault, &QPushButton::clicked, [&] { ++defaultPresses; });
        QTest::keyClick(focused, c.key, c.modifiers);
        EXPECT_EQ(focusedPresses, c.focusedPresses) << c.key << " " << c.enabled;
        EXPECT_EQ(defaultPresses, c.defaultPresses) << c.key << " " << c.enabled;
    }
}

}  // namespace
}  // namespace tomira
