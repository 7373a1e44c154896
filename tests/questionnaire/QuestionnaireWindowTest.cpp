#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QWheelEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/frmStartMenu.h"
#include "questionnaire/QuestionCatalogue.h"
#include "questionnaire/frmQuestion.h"
#include "ui/RecordingMessages.h"
#include "ui/UiServices.h"

namespace tomira {
namespace {

using testing::RecordingMessages;
using testing::ShownMessage;

template <typename T = QWidget>
T* Control(QWidget* window, const QString& name)
{
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

QComboBox* Box(QWidget* window, int k) { return Control<QComboBox>(window, QStringLiteral("Combo1_%1").arg(k)); }
QLabel* Statement(QWidget* window, int k) { return Control<QLabel>(window, QStringLiteral("Label2_%1").arg(k)); }
QLabel* RowNumber(QWidget* window, int k) { return Control<QLabel>(window, QStringLiteral("Label3_%1").arg(k)); }
QString Caption(QWidget* window, const char* name) { return Control<QLabel>(window, QString::fromUtf8(name))->text(); }
QPushButton* Button(QWidget* window, const char* name)
{
    return Control<QPushButton>(window, QString::fromUtf8(name));
}
QColor Background(QWidget* widget) { return widget->palette().color(QPalette::Window); }

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Answers row k from the keyboard: into the box, the first entry, then
// down to the entry of the value.
void Choose(QWidget* window, int k, int value)
{
    QComboBox* box = Box(window, k);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 1; i < value; ++i) {
        QTest::keyClick(box, Qt::Key_Down);
    }
    ASSERT_EQ(box->currentIndex(), value - 1) << "row " << k + 1;
}

// Answers the whole page, row by row, and presses the next-question button.
void AnswerPage(QWidget* window, const std::function<int(int)>& value)
{
    for (int k = 0; k < kRowsPerPage; ++k) {
        Choose(window, k, value(k));
    }
    QTest::mouseClick(Button(window, "cmd次の質問"), Qt::LeftButton);
}

// Runs `drive` on the questionnaire once it is open modally; whatever
// happens, the window is closed afterwards so the caller's wait ends.
void WhenQuestionnaireOpens(std::function<void(frmQuestion&)> drive, bool* opened = nullptr)
{
    QTimer::singleShot(0, [drive = std::move(drive), opened] {
        QPointer<frmQuestion> window = qobject_cast<frmQuestion*>(QApplication::activeModalWidget());
        if (opened != nullptr) {
            *opened = window != nullptr;
        }
        if (window == nullptr) {
            ADD_FAILURE() << "no questionnaire open";
            return;
        }
        // The platform activates the new window a moment after it appears.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, 2000));
        drive(*window);
        if (window != nullptr && window->isVisible()) {
            window->close();
        }
    });
}

// The questionnaire on its own, shown but not modal.
class QuestionWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.gQuestionActive = kTrue;
        window = std::make_unique<frmQuestion>(state, messages);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    modCommon state;
    RecordingMessages messages;
    std::unique_ptr<frmQuestion> window;
};

TEST_F(QuestionWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TOMIRA"));
    EXPECT_EQ(window->size(), QSize(689, 572));
    struct Case {
        const char* name;
        QRect pixels;
    };
    const Case cases[] = {
        {"lblTitle", QRect(16, 8, 665, 25)},      {"lblCopyright", QRect(16, 32, 665, 17)},
        {"Label3_0", QRect(0, 64, 17, 17)},        {"Label2_0", QRect(16, 64, 417, 17)},
        {"Combo1_0", QRect(440, 64, 145, 20)},     {"Label3_19", QRect(0, 520, 17, 17)},
        {"Label2_19", QRect(16, 520, 417, 17)},    {"Combo1_19", QRect(440, 520, 145, 20)},
        {"Combo1_7", QRect(440, 232, 145, 20)},    {"cmd次の質問", QRect(600, 80, 81, 25)},
        {"cmd結果表示", QRect(600, 128, 81, 25)},   {"cmd閉じる", QRect(600, 176, 81, 25)},
        {"VATA", QRect(600, 232, 81, 17)},         {"PITA", QRect(600, 264, 81, 17)},
        {"KAPA", QRect(600, 296, 81, 17)},         {"SUM", QRect(600, 336, 81, 17)},
        {"AVG", QRect(600, 368, 81, 17)},          {"Command1", QRect(600, 480, 81, 25)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Control(window.get(), QString::fromUtf8(c.name))->geometry(), c.pixels) << c.name;
    }

    // A sizable frame with all three boxes; the controls keep their places
    // and the status bar follows the bottom edge.
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    auto* status = Control<QStatusBar>(window.get(), QStringLiteral("StatusBar1"));
    for (const QSize size : {QSize(900, 700), QSize(600, 500)}) {
        window->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(Box(window.get(), 19)->geometry(), QRect(440, 520, 145, 20));
        EXPECT_EQ(Button(window.get(), "cmd閉じる")->geometry(), QRect(600, 176, 81, 25));
        EXPECT_EQ(status->geometry().bottom(), size.height() - 1);
        EXPECT_EQ(status->width(), size.width());
    }
}

TEST_F(QuestionWindowTest, OpensOnTheVataPageWithEmptyBoxes)
{
    EXPECT_EQ(Caption(window.get(), "lblTitle"), QStringLiteral("TOMIRA Version 2.02"));
    EXPECT_FALSE(Caption(window.get(), "lblCopyright").isEmpty());
    EXPECT_EQ(Control<QLabel>(window.get(), QStringLiteral("lblTitle"))->font().pointSizeF(), 14.25);
    const QStringList entries = {QStringLiteral("1:全く あてはまらない"), QStringLiteral("2:あまり あてはまらない"),
                                 QStringLiteral("3:少し あてはまる"),     QStringLiteral("4:まあまあ あてはまる"),
                                 QStringLiteral("5:よく あてはまる"),     QStringLiteral("6:非常によく あてはまる")};
    for (int k = 0; k < kRowsPerPage; ++k) {
        SCOPED_TRACE(k);
        QComboBox* box = Box(window.get(), k);
        EXPECT_FALSE(box->isEditable());
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        EXPECT_EQ(items, entries);
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_TRUE(box->currentText().isEmpty());
        EXPECT_EQ(Statement(window.get(), k)->text(), Text(StatementText(k + 1)));
        EXPECT_EQ(RowNumber(window.get(), k)->text(), QString::number(k + 1));
        // Screen readers hear the row number and the statement.
        EXPECT_EQ(box->accessibleName(), QString::number(k + 1) + Text(StatementText(k + 1)));
    }
    const std::pair<const char*, const char*> captions[] = {
        {"VATA", "ｳﾞｧｰﾀ:"}, {"PITA", "ﾋﾟｯﾀ:"},      {"KAPA", "ｶﾊﾟ:"},          {"SUM", "合計:"},
        {"AVG", "平均:"},   {"cmd次の質問", nullptr}, {"cmd結果表示", nullptr}, {"cmd閉じる", nullptr},
    };
    for (const auto& [name, caption] : captions) {
        if (caption != nullptr) {
            EXPECT_EQ(Caption(window.get(), name), QString::fromUtf8(caption)) << name;
        } else {
            EXPECT_EQ(Button(window.get(), name)->text(), QString::fromUtf8(name + 3)) << name;
        }
    }
    EXPECT_EQ(Background(Control(window.get(), QStringLiteral("VATA"))), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(Background(Control(window.get(), QStringLiteral("SUM"))), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(Control(window.get(), QStringLiteral("SUM"))->font().pointSizeF(), 11.25);
    EXPECT_TRUE(Button(window.get(), "cmd次の質問")->isEnabled());
    EXPECT_FALSE(Button(window.get(), "cmd結果表示")->isEnabled());
    EXPECT_FALSE(Button(window.get(), "Command1")->isEnabled());
    auto* status = Control<QStatusBar>(window.get(), QStringLiteral("StatusBar1"));
    const QString statusText = Control<QLabel>(status, QStringLiteral("StatusBar1_Text"))->text();
    EXPECT_EQ(statusText, QStringLiteral("上の質問に答え、「次の質問」ボタンを押してください。"
                                         "全部答え終わったら、「結果表示」ボタンを押してください。"));
    EXPECT_EQ(statusText.size(), 54);
    for (std::size_t i = 0; i < state.gAnswer.size(); ++i) {
        EXPECT_EQ(state.gAnswer[i], 0) << i;
    }

    // Row 1 has the focus and is highlighted.
    EXPECT_EQ(QApplication::focusWidget(), Box(window.get(), 0));
    EXPECT_EQ(Background(Statement(window.get(), 0)), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(Background(RowNumber(window.get(), 0)), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(Background(Statement(window.get(), 1)), QColor(Qt::white));
}

TEST_F(QuestionWindowTest, TabMovesDownTheBoxesThenToTheButtons)
{
    Box(window.get(), 0)->setFocus();
    for (int k = 0; k < kRowsPerPage; ++k) {
        ASSERT_EQ(QApplication::focusWidget(), Box(window.get(), k)) << k;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The result button is off until the last page is accepted.
    EXPECT_EQ(QApplication::focusWidget(), Button(window.get(), "cmd次の質問"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button(window.get(), "cmd閉じる"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Box(window.get(), 0));
}

TEST_F(QuestionWindowTest, HighlightFollowsTheFocus)
{
    const QColor buttonFace = ToQColor(kSysButtonFace);
    Box(window.get(), 4)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Background(Statement(window.get(), 0)), QColor(Qt::white));
    EXPECT_EQ(Background(RowNumber(window.get(), 0)), buttonFace);
    EXPECT_EQ(Background(Statement(window.get(), 4)), QColor(0xFF, 0xFF, 0x80));

    QTest::keyClick(Box(window.get(), 4), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Box(window.get(), 5));
    EXPECT_EQ(Background(Statement(window.get(), 4)), QColor(Qt::white));
    EXPECT_EQ(Background(RowNumber(window.get(), 4)), buttonFace);
    EXPECT_EQ(Background(Statement(window.get(), 5)), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(Background(RowNumber(window.get(), 5)), QColor(0x80, 0xFF, 0x80));

    // Choosing an entry leaves the row highlighted and the box's own look
    // alone; typing a digit picks the entry that begins with it.
    const QPalette boxPalette = Box(window.get(), 5)->palette();
    QTest::keyClick(Box(window.get(), 5), '4');
    EXPECT_EQ(Box(window.get(), 5)->currentIndex(), 3);
    EXPECT_EQ(Background(Statement(window.get(), 5)), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(Box(window.get(), 5)->palette(), boxPalette);

    // A button taking the focus clears the row.
    Button(window.get(), "cmd次の質問")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Background(Statement(window.get(), 5)), QColor(Qt::white));
    EXPECT_EQ(Background(RowNumber(window.get(), 5)), buttonFace);
}

TEST_F(QuestionWindowTest, AnswersChangeOnlyByTheUsersChoice)
{
    QWidget* w = window.get();
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
    EXPECT_EQ(Background(Statement(w, 5)), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(Background(RowNumber(w, 5)), QColor(0x80, 0xFF, 0x80));
    Box(w, 5)->hidePopup();

    // Enter in a box presses nothing; on the focused button it presses it.
    QTest::keyClick(Box(w, 5), Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty());
    QTest::keyClick(Button(w, "cmd次の質問"), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "1番目のデータが未入力です。");

    // Each box is labelled by its row number and its statement.
    EXPECT_EQ(RowNumber(w, 7)->buddy(), Box(w, 7));
    EXPECT_EQ(Statement(w, 7)->buddy(), Box(w, 7));
}

TEST_F(QuestionWindowTest, AnIncompletePageIsRefusedNamingTheFirstGap)
{
    for (int k = 0; k < kRowsPerPage; ++k) {
        if (k != 2 && k != 6) {
            Choose(window.get(), k, 5);
        }
    }
    QPushButton* next = Button(window.get(), "cmd次の質問");
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (ShownMessage{"3番目のデータが未入力です。", "確認", MessageIcon::Exclamation}));
    // Nothing moves: the page, the chosen entries, the scores.
    EXPECT_EQ(Statement(window.get(), 0)->text(), Text(StatementText(1)));
    EXPECT_EQ(Box(window.get(), 0)->currentIndex(), 4);
    EXPECT_EQ(Box(window.get(), 2)->currentIndex(), -1);
    EXPECT_EQ(Caption(window.get(), "VATA"), QStringLiteral("ｳﾞｧｰﾀ:"));
    EXPECT_EQ(state.gPageOffset, 0);
    EXPECT_EQ(QApplication::focusWidget(), next);

    Choose(window.get(), 2, 1);
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "7番目のデータが未入力です。");

    Choose(window.get(), 6, 6);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(Caption(window.get(), "VATA"), QStringLiteral("ｳﾞｧｰﾀ:97"));  // 18 x 5 + 1 + 6

    // The Pitta page counts its rows from 1 again.
    QTest::mouseClick(next, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text, "1番目のデータが未入力です。");
}

TEST_F(QuestionWindowTest, PagesAdvanceToTheResultAndTheWindowResetsAsItCloses)
{
    struct Page {
        int value;
        int firstStatement;
        const char* label;
        const char* caption;
    };
    const Page pages[] = {
        {5, 1, "VATA", "ｳﾞｧｰﾀ:100"}, {3, 21, "PITA", "ﾋﾟｯﾀ:60"}, {2, 41, "KAPA", "ｶﾊﾟ:40"}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.label);
        EXPECT_EQ(Statement(window.get(), 0)->text(), Text(StatementText(page.firstStatement)));
        EXPECT_EQ(Statement(window.get(), 19)->text(), Text(StatementText(page.firstStatement + 19)));
        AnswerPage(window.get(), [&](int) { return page.value; });
        EXPECT_EQ(Caption(window.get(), page.label), QString::fromUtf8(page.caption));
        // The next page starts empty, with the focus and highlight on row 1.
        for (int k = 0; k < kRowsPerPage; ++k) {
            ASSERT_EQ(Box(window.get(), k)->currentIndex(), -1) << k;
        }
        EXPECT_EQ(QApplication::focusWidget(), Box(window.get(), 0));
        EXPECT_EQ(Background(Statement(window.get(), 0)), QColor(0xFF, 0xFF, 0x80));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.gAnswer[19], 5);
    EXPECT_EQ(state.gAnswer[20], 3);
    EXPECT_EQ(state.gAnswer[59], 2);

    // After the Kapha page: empty rows, only the result and close buttons act.
    for (int k = 0; k < kRowsPerPage; ++k) {
        EXPECT_TRUE(Statement(window.get(), k)->text().isEmpty()) << k;
    }
    EXPECT_FALSE(Button(window.get(), "cmd次の質問")->isEnabled());
    EXPECT_TRUE(Button(window.get(), "cmd結果表示")->isEnabled());
    QTest::mouseClick(Button(window.get(), "cmd次の質問"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.gPageOffset, 99);

    QString sumWhileShown, avgWhileShown;
    messages.onShow = [&](const ShownMessage&) {
        sumWhileShown = Caption(window.get(), "SUM");
        avgWhileShown = Caption(window.get(), "AVG");
    };
    QTest::mouseClick(Button(window.get(), "cmd結果表示"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (ShownMessage{"アユルヴェーダによるあなたの体質は「ヴァータ型」です。\r\n"
                                               "ヴァータ：100  ピッタ：60  カパ：40\r\n合計：200  平均：67",
                                               "確認", MessageIcon::Exclamation}));
    EXPECT_EQ(sumWhileShown, QStringLiteral("合計:200"));
    EXPECT_EQ(avgWhileShown, QStringLiteral("平均:67"));
    EXPECT_EQ(state.gConstitution, "ヴァータ");
    EXPECT_EQ(state.gTotal, 200);
    EXPECT_EQ(state.gAverage, 67);

    // Reset to the first page with the fixed captions, then closed.
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.gQuestionActive, kFalse);
    EXPECT_EQ(state.gPageOffset, 0);
    EXPECT_EQ(Statement(window.get(), 0)->text(), Text(StatementText(1)));
    for (const auto& [name, caption] : {std::pair{"VATA", "ｳﾞｧｰﾀ:"}, std::pair{"SUM", "合計:"}, std::pair{"AVG", "平均:"}}) {
        EXPECT_EQ(Caption(window.get(), name), QString::fromUtf8(caption)) << name;
    }
    EXPECT_TRUE(Button(window.get(), "cmd次の質問")->isEnabled());
    EXPECT_FALSE(Button(window.get(), "cmd結果表示")->isEnabled());
}

TEST_F(QuestionWindowTest, EveryWayOfClosingEndsTheWait)
{
    const std::pair<const char*, std::function<void(frmQuestion&)>> ways[] = {
        {"cmd閉じる", [](frmQuestion& w) { QTest::mouseClick(Button(&w, "cmd閉じる"), Qt::LeftButton); }},
        {"close box", [](frmQuestion& w) { w.close(); }},
        {"dialog reject", [](frmQuestion& w) { w.reject(); }},
    };
    for (const auto& [how, close] : ways) {
        SCOPED_TRACE(how);
        modCommon s;
        s.gQuestionActive = kTrue;
        s.gConstitution = "カパ";
        frmQuestion w(s, messages);
        w.show();
        QApplication::processEvents();
        // Escape does not throw the answers away.
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(s.gQuestionActive, kTrue);
        close(w);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(s.gQuestionActive, kFalse);
        EXPECT_EQ(s.gConstitution, "カパ");
    }
}

// The questionnaire as the main window runs it.
class QuestionnaireRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<frmStartMenu>(state, messages);
        main->show();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }
    void PressDiagnose() { QTest::mouseClick(Control<QPushButton>(main.get(), QStringLiteral("cmdTOMIRA判定")), Qt::LeftButton); }
    QString TypeBox() { return Control<QLineEdit>(main.get(), QStringLiteral("txtTOMIRA体質"))->text(); }

    modCommon state;
    RecordingMessages messages;
    std::unique_ptr<frmStartMenu> main;
};

TEST_F(QuestionnaireRunTest, AFullRunShowsTheTypeInTheMainWindow)
{
    bool opened = false;
    WhenQuestionnaireOpens(
        [this](frmQuestion& w) {
            EXPECT_EQ(state.gQuestionActive, kTrue);
            EXPECT_TRUE(w.isModal());
            EXPECT_EQ(QApplication::focusWidget(), Box(&w, 0));
            EXPECT_EQ(Background(Statement(&w, 0)), QColor(0xFF, 0xFF, 0x80));
            AnswerPage(&w, [](int k) { return k < 5 ? 5 : 4; });   // Vata 85
            AnswerPage(&w, [](int) { return 3; });                 // Pitta 60
            AnswerPage(&w, [](int k) { return k % 2 == 0 ? 3 : 2; });  // Kapha 50
            EXPECT_EQ(Caption(&w, "VATA"), QStringLiteral("ｳﾞｧｰﾀ:85"));
            EXPECT_EQ(Caption(&w, "PITA"), QStringLiteral("ﾋﾟｯﾀ:60"));
            EXPECT_EQ(Caption(&w, "KAPA"), QStringLiteral("ｶﾊﾟ:50"));
            QTest::mouseClick(Button(&w, "cmd結果表示"), Qt::LeftButton);
        },
        &opened);
    PressDiagnose();
    EXPECT_TRUE(opened);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "アユルヴェーダによるあなたの体質は「ヴァータ型」です。\r\nヴァータ：85  ピッタ：60  カパ：50\r\n"
              "合計：195  平均：65");
    EXPECT_EQ(TypeBox(), QStringLiteral("ヴァータ型"));
    EXPECT_EQ(state.gQuestionActive, kFalse);
    EXPECT_EQ(state.gTotal, 195);
    EXPECT_EQ(state.gAverage, 65);
}

TEST_F(QuestionnaireRunTest, ClosingOnThePittaPageKeepsThePreviousType)
{
    WhenQuestionnaireOpens([](frmQuestion& w) {
        AnswerPage(&w, [](int) { return 6; });
        AnswerPage(&w, [](int) { return 6; });
        AnswerPage(&w, [](int) { return 1; });
        QTest::mouseClick(Button(&w, "cmd結果表示"), Qt::LeftButton);
    });
    PressDiagnose();
    ASSERT_EQ(TypeBox(), QStringLiteral("ヴァータ・ピッタ型"));  // 120, 120, 20

    for (const bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "close box" : "cmd閉じる");
        WhenQuestionnaireOpens([byCloseBox](frmQuestion& w) {
            AnswerPage(&w, [](int) { return 1; });
            ASSERT_EQ(Statement(&w, 0)->text(), Text(StatementText(21)));
            if (byCloseBox) {
                w.close();
            } else {
                QTest::mouseClick(Button(&w, "cmd閉じる"), Qt::LeftButton);
            }
        });
        PressDiagnose();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(state.gQuestionActive, kFalse);
        EXPECT_EQ(state.gConstitution, "ヴァータ・ピッタ");
        EXPECT_EQ(state.gVata, 20);  // the accepted page keeps its score
        EXPECT_EQ(TypeBox(), QStringLiteral("ヴァータ・ピッタ型"));
    }
    EXPECT_EQ(messages.shown.size(), 1u);
    // The main window answers again.
    EXPECT_TRUE(Control<QPushButton>(main.get(), QStringLiteral("cmdTOMIRA判定"))->isEnabled());
    QTest::mouseClick(Control<QPushButton>(main.get(), QStringLiteral("cmdTOMIRA解説")), Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(QuestionnaireRunTest, ASecondRunStartsFreshOnTheVataPage)
{
    WhenQuestionnaireOpens([](frmQuestion& w) {
        AnswerPage(&w, [](int) { return 6; });
        Choose(&w, 0, 2);
        Choose(&w, 1, 2);
        QTest::mouseClick(Button(&w, "cmd閉じる"), Qt::LeftButton);
    });
    PressDiagnose();
    ASSERT_EQ(state.gAnswer[0], 6);

    WhenQuestionnaireOpens([this](frmQuestion& w) {
        EXPECT_EQ(state.gPageOffset, 0);
        EXPECT_EQ(state.gAnswer[0], 0);
        EXPECT_EQ(Statement(&w, 0)->text(), Text(StatementText(1)));
        EXPECT_EQ(Caption(&w, "VATA"), QStringLiteral("ｳﾞｧｰﾀ:"));
        for (int k = 0; k < kRowsPerPage; ++k) {
            EXPECT_EQ(Box(&w, k)->currentIndex(), -1) << k;
        }
        EXPECT_EQ(QApplication::focusWidget(), Box(&w, 0));
        EXPECT_EQ(Background(Statement(&w, 0)), QColor(0xFF, 0xFF, 0x80));
        for (int page = 0; page < 3; ++page) {
            AnswerPage(&w, [](int) { return 1; });
        }
        QTest::mouseClick(Button(&w, "cmd結果表示"), Qt::LeftButton);
    });
    PressDiagnose();
    EXPECT_EQ(state.gVata, 20);
    EXPECT_EQ(state.gPitta, 20);
    EXPECT_EQ(state.gKapha, 20);
    EXPECT_EQ(TypeBox(), QStringLiteral("３ドーシャ型"));
}

}  // namespace
}  // namespace tomira
