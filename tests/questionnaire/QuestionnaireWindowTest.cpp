#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QWheelEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <tuple>

#include "questionnaire/QuestionCatalogue.h"
#include "questionnaire/frmQuestion.h"
#include "state/Version.h"
#include "support/WindowTest.h"

namespace tomira {
namespace {

using testing::Control;
using testing::RecordingMessages;
using testing::ShownMessage;

QComboBox* Box(QWidget* window, int k) { return Control<QComboBox>(window, QStringLiteral("Combo1_%1").arg(k)); }
QLabel* Statement(QWidget* window, int k) { return Control<QLabel>(window, QStringLiteral("Label2_%1").arg(k)); }
QLabel* RowNumber(QWidget* window, int k) { return Control<QLabel>(window, QStringLiteral("Label3_%1").arg(k)); }
QPushButton* Button(QWidget* window, const char* name) { return Control<QPushButton>(window, QString::fromUtf8(name)); }
QColor Background(QWidget* widget) { return widget->palette().color(QPalette::Window); }
// The grounds of a row's statement and number.
std::pair<QColor, QColor> Row(QWidget* w, int k) { return {Background(Statement(w, k)), Background(RowNumber(w, k))}; }

const std::pair<QColor, QColor> kMarked{QColor(0xFF, 0xFF, 0x80), QColor(0x80, 0xFF, 0x80)};
const std::pair<QColor, QColor> kUnmarked{Qt::white, QColor(0xF0, 0xF0, 0xF0)};

// The questionnaire on its own, shown but not modal.
class QuestionWindowTest : public testing::WindowTest<frmQuestion> {
protected:
    QWidget* w = &window;
};

TEST_F(QuestionWindowTest, HighlightFollowsTheFocusAndAnswersChangeOnlyByTheUsersChoice)
{
    Box(w, 4)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Box(w, 4), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Box(w, 5));
    EXPECT_EQ(Row(w, 4), kUnmarked);
    EXPECT_EQ(Row(w, 5), kMarked);

    // Choosing an entry leaves the row highlighted and the box's own look alone; a digit picks its entry.
    const QPalette boxPalette = Box(w, 5)->palette();
    QTest::keyClick(Box(w, 5), '4');
    EXPECT_EQ(Box(w, 5)->currentIndex(), 3);
    EXPECT_EQ(Row(w, 5), kMarked);
    EXPECT_EQ(Box(w, 5)->palette(), boxPalette);

    // A button taking the focus clears the row.
    Button(w, "cmd次の質問")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Row(w, 5), kUnmarked);

    Box(w, 0)->setFocus(Qt::TabFocusReason);
    // The wheel over a box without the focus chooses nothing and takes no focus.
    QWheelEvent wheel(QPointF(5, 5), Box(w, 3)->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Box(w, 3), &wheel);
    EXPECT_EQ(Box(w, 3)->currentIndex(), -1);
    EXPECT_EQ(QApplication::focusWidget(), Box(w, 0));

    // Opening a box's list for the first time keeps its row marked.
    Box(w, 5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Box(w, 5), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Box(w, 5)->view()->isVisible(); }, 2000));
    EXPECT_EQ(Row(w, 5), kMarked);
    Box(w, 5)->hidePopup();

    // Enter in a box presses nothing.
    QTest::keyClick(Box(w, 5), Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(QuestionWindowTest, AnIncompletePageIsRefusedWithAMessage)
{
    for (int k = 1; k < kRowsPerPage; ++k) {
        Box(w, k)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Box(w, k), '5');
    }
    QTest::mouseClick(Button(w, "cmd次の質問"), Qt::LeftButton);
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{"1番目のデータが未入力です。", "確認", MessageIcon::Exclamation}}));
    EXPECT_EQ(Statement(w, 0)->text(), QStringLiteral(" 動作が非常に早い。"));
    EXPECT_EQ(Box(w, 1)->currentIndex(), 4);
    // Escape does not throw the answers away.
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

// The main window waits in the questionnaire's modal loop: it ends, flag down, however the window goes.
TEST(QuestionnaireRunTest, EveryWayOfClosingEndsTheWaitWithTheFlagDown)
{
    modCommon state;
    RecordingMessages messages;
    for (const auto& closeWindow : {+[](QDialog& d) { Button(&d, "cmd閉じる")->click(); },
                                    +[](QDialog& d) { d.close(); }, +[](QDialog& d) { d.hide(); }}) {
        std::int16_t flagWhileOpen = 0;
        bool stuck = false;
        QTimer::singleShot(0, [&] {
            flagWhileOpen = state.gQuestionActive;
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) closeWindow(*open);
        });
        QTimer guard;  // stops with this round
        guard.callOnTimeout(&guard, [&] {
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                stuck = true;
                open->done(QDialog::Rejected);
            }
        });
        guard.start(3000);
        RunQuestionnaireWindow(nullptr, state, messages);
        EXPECT_FALSE(stuck);
        EXPECT_EQ(flagWhileOpen, kTrue);
        EXPECT_EQ(state.gQuestionActive, kFalse);
    }
}

TEST_F(QuestionWindowTest, PagesTurnWithTheirScoresAndTheResultIsReportedAndCloses)
{
    // The answer in every row, then the next page's first statement and the page's score as shown.
    const std::tuple<int, const char*, const char*, const char*> pages[] = {
        {5, " 自分はとても能率がよい方だと思う。", "VATA", "ｳﾞｧｰﾀ:100"},
        {3, " 動作がゆっくりで、おっとりしている。", "PITA", "ﾋﾟｯﾀ:60"},
        {2, "", "KAPA", "ｶﾊﾟ:40"},
    };
    EXPECT_EQ(QApplication::focusWidget(), Box(w, 0));
    // A screen reader names each box by its row number and statement.
    EXPECT_EQ(RowNumber(w, 7)->buddy(), Box(w, 7));
    EXPECT_EQ(Statement(w, 7)->buddy(), Box(w, 7));
    EXPECT_EQ(Control<QLabel>(QStringLiteral("lblTitle"))->text(), QStringLiteral("TOMIRA Version ") + TOMIRA_VERSION);
    for (const auto& [answer, next, score, caption] : pages) {
        EXPECT_TRUE(Button(w, "cmd次の質問")->isEnabled());
        EXPECT_FALSE(Button(w, "cmd結果表示")->isEnabled());
        for (int k = 0; k < kRowsPerPage; ++k) Box(w, k)->setCurrentIndex(answer - 1);
        Button(w, "cmd次の質問")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Button(w, "cmd次の質問"), Qt::Key_Return);
        EXPECT_EQ(Statement(w, 0)->text(), QString::fromUtf8(next));
        EXPECT_EQ(Control<QLabel>(QString::fromUtf8(score))->text(), QString::fromUtf8(caption));
        EXPECT_EQ(Box(w, 19)->currentIndex(), -1);
        EXPECT_EQ(QApplication::focusWidget(), Box(w, 0));
    }
    EXPECT_FALSE(Button(w, "cmd次の質問")->isEnabled());
    QTest::mouseClick(Button(w, "cmd結果表示"), Qt::LeftButton);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"アユルヴェーダによるあなたの体質は「ヴァータ型」です。\r\n"
                                                          "ヴァータ：100  ピッタ：60  カパ：40\r\n合計：200  平均：67",
                                                          "確認", MessageIcon::Exclamation}}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.gQuestionActive, kFalse);
    EXPECT_EQ(state.gConstitution, "ヴァータ");
}

}  // namespace
}  // namespace tomira
