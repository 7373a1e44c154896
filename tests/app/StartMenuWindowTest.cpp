#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QInputMethodQueryEvent>
#include <QTest>

#include "app/frmStartMenu.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using testing::RecordingMessages;
using testing::ShownMessage;

// Types any text, one key event a character, as an input method would.
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<frmStartMenu>(state, messages);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    template <typename T = QWidget>
    T* Control(const char* name)
    {
        T* control = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QAction* Action(const char* name)
    {
        QAction* action = window->findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QLineEdit* Field(const char* name) { return Control<QLineEdit>(name); }

    modCommon state;
    RecordingMessages messages;
    std::unique_ptr<frmStartMenu> window;
};

TEST_F(MainWindowTest, StartsEmptyWithItsCaptions)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TOMIRA"));
    EXPECT_EQ(Control<QLabel>("lblTitle")->text(), QStringLiteral("TOMIRA"));
    EXPECT_EQ(Control<QLabel>("lblVersion")->text(), QStringLiteral("Version 2.02"));
    EXPECT_FALSE(Control<QLabel>("lblCopyright")->text().isEmpty());
    for (const char* name : {"txt名前", "txt身長", "txt体重", "txt体脂肪率", "txtTOMIRA体質", "txtBMI",
                             "txt理想体重", "txt体脂肪量"}) {
        EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    }
    EXPECT_FALSE(Control<QCheckBox>("chk体重等表示")->isChecked());
    EXPECT_EQ(window->logic().mShowResults, kFalse);
    // A fixed frame: minimum and maximum size agree, no maximise or minimise box.
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window->centralWidget()->size(), QSize(544, 527));
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    struct Case {
        const char* name;
        QRect pixels;
    };
    const Case cases[] = {
        {"lblTitle", QRect(0, 0, 545, 25)},        {"txt名前", QRect(160, 80, 345, 25)},
        {"txt身長", QRect(160, 120, 89, 25)},      {"Label1", QRect(248, 120, 41, 25)},
        {"chk体重等表示", QRect(368, 200, 145, 17)}, {"cmd計算", QRect(360, 136, 153, 33)},
        {"txtTOMIRA体質", QRect(160, 248, 209, 24)}, {"cmdTOMIRA解説", QRect(440, 248, 73, 25)},
        {"lblローレル指数", QRect(24, 384, 137, 25)}, {"cmd判定結果の消去", QRect(24, 472, 177, 33)},
        {"cmd終了", QRect(368, 472, 145, 33)},      {"Label4", QRect(0, 56, 545, 473)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Control(c.name)->geometry(), c.pixels) << c.name;
    }
    EXPECT_EQ(Control<QLabel>("lbl名前")->font().pointSizeF(), 14.25);
    EXPECT_EQ(Control<QLabel>("lblTitle")->font().pointSizeF(), 15.75);
    EXPECT_EQ(Control<QPushButton>("cmd計算")->font().pointSizeF(), 12.0);
    EXPECT_EQ(Control("lbl名前")->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(Control("lblアユルヴェーダ体質")->palette().color(QPalette::Window), QColor(0xFF, 0xC0, 0x80));
}

TEST_F(MainWindowTest, TabRunsInTheOrderOfTheTabIndices)
{
    const char* const order[] = {"txt名前",        "txt身長",         "txt体重",       "txt体脂肪率",
                                 "cmd計算",        "cmdTOMIRA判定",   "cmdBMI解説",    "cmd理想体重解説",
                                 "cmd体脂肪量解説", "cmd判定結果の消去", "cmd終了",       "cmdTOMIRA解説",
                                 "chk体重等表示",  "txtTOMIRA体質",   "txtBMI",        "txt理想体重",
                                 "txt体脂肪量",    "txt名前"};
    Field("txt名前")->setFocus();
    QApplication::processEvents();
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        ASSERT_EQ(QApplication::focusWidget(), Control(order[i])) << "expected focus on " << order[i];
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), Control("txt名前"));
}

TEST_F(MainWindowTest, EnterMovesThroughTheFourFieldsToCalculate)
{
    QLineEdit* name = Field("txt名前");
    name->setFocus();
    TypeText(name, QStringLiteral("山田"));
    const char* const next[] = {"txt身長", "txt体重", "txt体脂肪率", "cmd計算"};
    for (const char* expected : next) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), Control(expected)) << expected;
    }
    // The keypad's Enter does the same, and Enter itself never reaches a box.
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Control("txt身長"));
    EXPECT_EQ(name->text(), QStringLiteral("山田"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, WeightAndBodyFatAreMaskedUntilShown)
{
    QLineEdit* weight = Field("txt体重");
    QLineEdit* fat = Field("txt体脂肪率");
    QTest::keyClicks(weight, QStringLiteral("65.5"));
    QTest::keyClicks(fat, QStringLiteral("20"));
    QTest::keyClicks(Field("txt身長"), QStringLiteral("170"));
    EXPECT_EQ(weight->displayText(), QStringLiteral("****"));
    EXPECT_EQ(fat->displayText(), QStringLiteral("**"));
    EXPECT_EQ(Field("txt身長")->displayText(), QStringLiteral("170"));

    auto* show = Control<QCheckBox>("chk体重等表示");
    QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(5, show->height() / 2));
    ASSERT_TRUE(show->isChecked());
    EXPECT_EQ(weight->displayText(), QStringLiteral("65.5"));
    EXPECT_EQ(fat->displayText(), QStringLiteral("20"));
    // Shown in clear, they still take no input method.
    EXPECT_FALSE(weight->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(fat->testAttribute(Qt::WA_InputMethodEnabled));

    QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(5, show->height() / 2));
    ASSERT_FALSE(show->isChecked());
    EXPECT_EQ(weight->displayText(), QStringLiteral("****"));
    EXPECT_EQ(weight->text(), QStringLiteral("65.5"));
    EXPECT_FALSE(weight->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(MainWindowTest, NotImplementedAnswersFromAllFivePlaces)
{
    Field("txt名前")->setText(QStringLiteral("山田"));
    Action("mnFileOpen")->trigger();
    Action("mnFileSaveAs")->trigger();
    Action("mnFileOverWrite")->trigger();
    Action("mnOption")->trigger();
    QTest::mouseClick(Control<QPushButton>("cmdTOMIRA解説"), Qt::LeftButton);

    const ShownMessage expected{"ごめんなさい。まだ処理ができていません。", "TOMIRA", MessageIcon::None};
    ASSERT_EQ(messages.shown.size(), 5u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown, expected);
    }
    EXPECT_EQ(Field("txt名前")->text(), QStringLiteral("山田"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, MenusCarryTheirCaptions)
{
    QStringList titles;
    for (QAction* action : window->menuBar()->actions()) {
        titles << action->text();
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    EXPECT_EQ(Action("mnFileOpen")->text(), QStringLiteral("開く(&O)"));
    EXPECT_EQ(Action("mnFileSaveAs")->text(), QStringLiteral("名前をつけて保存(&S)"));
    EXPECT_EQ(Action("mnFileOverWrite")->text(), QStringLiteral("上書保存(&W)"));
    EXPECT_TRUE(Action("mnFileDummy")->isSeparator());
    EXPECT_EQ(Action("mnFIleExit")->text(), QStringLiteral("終了(&X)"));
    EXPECT_EQ(Action("mnHelpVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
}

TEST_F(MainWindowTest, ClearEmptiesResultsAndKeepsInputs)
{
    Field("txt名前")->setText(QStringLiteral("山田"));
    Field("txt身長")->setText(QStringLiteral("170"));
    Field("txt体重")->setText(QStringLiteral("65"));
    Field("txt体脂肪率")->setText(QStringLiteral("20"));
    for (const char* name : {"txtTOMIRA体質", "txtBMI", "txt理想体重", "txt体脂肪量"}) {
        Field(name)->setText(QStringLiteral("x"));
    }
    state.gConstitution = "ヴァータ";
    state.gBMI = 22.5;
    state.gBodyType = "普通型";
    state.gIdealWeight = 63.6;
    state.gFatMass = 13;
    state.gVata = 85;
    window->logic().mShowResults = kTrue;

    QTest::mouseClick(Control<QPushButton>("cmd判定結果の消去"), Qt::LeftButton);

    for (const char* name : {"txtTOMIRA体質", "txtBMI", "txt理想体重", "txt体脂肪量"}) {
        EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(Field("txt名前")->text(), QStringLiteral("山田"));
    EXPECT_EQ(Field("txt身長")->text(), QStringLiteral("170"));
    EXPECT_EQ(Field("txt体重")->text(), QStringLiteral("65"));
    EXPECT_EQ(Field("txt体脂肪率")->text(), QStringLiteral("20"));
    EXPECT_EQ(state.gConstitution, "");
    EXPECT_EQ(state.gBMI, 0.0);
    EXPECT_EQ(state.gVata, 85);
    EXPECT_EQ(window->logic().mShowResults, kFalse);
}

TEST_F(MainWindowTest, FieldsAreNamedForScreenReaders)
{
    struct Case {
        const char* field;
        const char* label;
        const char* name;
    };
    const Case cases[] = {
        {"txt名前", "lbl名前", "名前"},
        {"txt身長", "lbl身長", "身長"},
        {"txt体重", "lbl体重", "体重"},
        {"txt体脂肪率", "lbl体脂肪率", "体脂肪率"},
        {"txtTOMIRA体質", "lblアユルヴェーダ体質", "ｱﾕﾙｳﾞｪｰﾀﾞ体質"},
        {"txtBMI", "lblBMI", "体型診断（BMI）"},
        {"txt理想体重", "lbl理想体重", "理想体重（kg）"},
        {"txt体脂肪量", "lblローレル指数", "体脂肪量（kg）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Field(c.field)->accessibleName(), QString::fromUtf8(c.name)) << c.field;
        EXPECT_EQ(Control<QLabel>(c.label)->buddy(), Field(c.field)) << c.label;
    }
    EXPECT_EQ(Control("cmd計算")->accessibleName(), QStringLiteral("計算"));
    EXPECT_EQ(Control("cmd判定結果の消去")->accessibleName(), QStringLiteral("判定結果の消去"));
    EXPECT_EQ(Control("cmd終了")->accessibleName(), QStringLiteral("終了"));
}

TEST_F(MainWindowTest, ExitButtonMenuAndCloseBoxCloseTheWindow)
{
    QTest::mouseClick(Control<QPushButton>("cmd終了"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());

    window->show();
    Action("mnFIleExit")->trigger();
    EXPECT_FALSE(window->isVisible());

    window->show();
    EXPECT_TRUE(window->close());  // the frame's close box
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.shown.empty());  // no question asked
}

// Records the modes the window asks the input method for.
class RecordingInputMethod : public InputMethod {
public:
    explicit RecordingInputMethod(std::vector<ImeMode>& modes) : modes_(modes) {}
    void HiraganaOn() override { modes_.push_back(ImeMode::Hiragana); }
    void Off() override { modes_.push_back(ImeMode::Off); }
    void Disable() override { modes_.push_back(ImeMode::Disabled); }

private:
    std::vector<ImeMode>& modes_;
};

TEST_F(MainWindowTest, EachFieldAsksForItsInputMethodModeAndTheWeightsStayHiddenText)
{
    std::vector<ImeMode> modes;
    window->inputMethods().Use(std::make_unique<RecordingInputMethod>(modes));
    for (const char* name : {"txt身長", "txt体重", "txt体脂肪率", "txt名前"}) {
        Field(name)->setFocus();
        QApplication::processEvents();
    }
    EXPECT_EQ(modes, (std::vector{ImeMode::Off, ImeMode::Disabled, ImeMode::Disabled, ImeMode::Hiragana}));

    // Qt gives a hidden-text field no input method at all: this keeps every
    // IME away from the weight and body fat, masked or shown.
    auto* show = Control<QCheckBox>("chk体重等表示");
    for (const bool shown : {false, true}) {
        if (shown) {
            QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(5, show->height() / 2));
            ASSERT_TRUE(show->isChecked());
        }
        for (const char* name : {"txt体重", "txt体脂肪率"}) {
            QInputMethodQueryEvent query(Qt::ImHints);
            QApplication::sendEvent(Field(name), &query);
            EXPECT_TRUE(query.value(Qt::ImHints).toInt() & Qt::ImhHiddenText) << name << " shown " << shown;
        }
    }
}

}  // namespace
}  // namespace tomira
