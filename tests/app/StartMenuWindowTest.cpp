// The main window: layout, keys, buttons, menus, the dialogs it opens, masking, the body metrics bound to it and
// what its fields make of an input method.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QTest>

#include <functional>

#include "app/frmStartMenu.h"
#include "state/AppText.h"
#include "support/WindowTest.h"

namespace tomira {
namespace {

using testing::Opened;
using testing::ShownMessage;

// Presses keys in the open menu, or else in the active window's focus.
void Keys(const std::vector<QKeyCombination>& keys)
{
    for (const QKeyCombination key : keys) {
        QWidget* to = QApplication::activePopupWidget();
        if (to == nullptr) to = QApplication::activeWindow()->focusWidget();
        if (to == nullptr) to = QApplication::activeWindow();
        QTest::keyClick(to, key.key(), key.keyboardModifiers());
        // A button's access key presses it for 100 ms, as if clicked.
        if (key.keyboardModifiers() & Qt::AltModifier) QTest::qWait(150);
    }
}

class MainWindowTest : public testing::WindowTest<frmStartMenu> {
protected:
    QLineEdit* Field(const char* name) { return Control<QLineEdit>(name); }
    QString Box(const char* name) { return Field(name)->text(); }
    // Replaces a field's text by typing, with the focus in the field.
    void Retype(const char* name, const QString& text)
    {
        QLineEdit* field = Field(name);
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void Click(const char* button) { QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton); }
    std::function<void()> Press(const char* button)
    {
        return [this, button] { Click(button); };
    }
    std::function<void()> Choose(const char* item)
    {
        return [this, item] { window.findChild<QAction*>(item)->trigger(); };
    }
};

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(Control<QLabel>("lblVersion")->text(), QString::fromUtf8(kVersionText));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.centralWidget()->size(), QSize(544, 527));
    EXPECT_EQ(Control("chk体重等表示")->palette().color(QPalette::Button), QColor(0xE0, 0xE0, 0xE0));
    const std::pair<const char*, QRect> cases[] = {
        {"txt名前", QRect(160, 80, 345, 25)},        {"lbl体重", QRect(24, 160, 137, 25)},
        {"chk体重等表示", QRect(368, 200, 145, 17)}, {"cmd計算", QRect(360, 136, 153, 33)},
        {"txtTOMIRA体質", QRect(160, 248, 209, 24)}, {"cmd終了", QRect(368, 472, 145, 33)},
    };
    for (const auto& [name, pixels] : cases) EXPECT_EQ(Control(name)->geometry(), pixels) << name;
}

TEST_F(MainWindowTest, TabMeetsEveryControlOnceInTheOrderOfTheWindowsTable)
{
    // What a screen reader says of each control Tab reaches: its description where it has one, else its name.
    QStringList met;
    Field("txt名前")->setFocus();
    for (int i = 0; i < 18; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        const QString description = spoken->text(QAccessible::Description);
        met << (description.isEmpty() ? spoken->text(QAccessible::Name) : description);
    }
    EXPECT_EQ(met, QStringList({"名前", "身長", "体重", "体脂肪率", "計算", "診断", "体型診断（BMI）の解説",
                                "理想体重（kg）の解説", "体脂肪量（kg）の解説", "判定結果の消去", "終了",
                                "ｱﾕﾙｳﾞｪｰﾀﾞ体質の解説", "体重等を表示する", "ｱﾕﾙｳﾞｪｰﾀﾞ体質", "体型診断（BMI）",
                                "理想体重（kg）", "体脂肪量（kg）", "名前"}));
}

// Qt gives a hidden-text field no input method at all: this keeps every IME away from them, masked or shown.
TEST_F(MainWindowTest, WeightAndBodyFatAreMaskedUntilShownAndStayHiddenText)
{
    QLineEdit* weight = Field("txt体重");
    QTest::keyClicks(weight, QStringLiteral("65.5"));
    QTest::keyClicks(Field("txt体脂肪率"), QStringLiteral("20"));
    auto* show = Control<QCheckBox>("chk体重等表示");
    for (const bool shown : {false, true, false}) {
        if (show->isChecked() != shown) QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(5, show->height() / 2));
        EXPECT_EQ(weight->displayText(), shown ? QStringLiteral("65.5") : QStringLiteral("****")) << shown;
        EXPECT_EQ(Field("txt体脂肪率")->displayText(), shown ? QStringLiteral("20") : QStringLiteral("**")) << shown;
        for (const char* name : {"txt体重", "txt体脂肪率"}) {
            QInputMethodQueryEvent query(Qt::ImHints);
            QApplication::sendEvent(Field(name), &query);
            EXPECT_TRUE(query.value(Qt::ImHints).toInt() & Qt::ImhHiddenText) << name << " shown " << shown;
        }
    }
}

TEST_F(MainWindowTest, EachButtonMenuItemAndAccessKeyDoesItsOwnThing)
{
    const auto keys = [](std::vector<QKeyCombination> k) { return [k] { Keys(k); }; };
    constexpr auto alt = Qt::AltModifier;
    const char* const none = "";
    const char* const sorry = "ごめんなさい。まだ処理ができていません。";
    // What is done, the window it opens, the message it shows, whether the main window stays. (The dialogs' own
    // buttons: the dialog test; ﾊﾞｰｼﾞｮﾝ情報, the button 終了 and the File menu's: the every-window road.)
    const std::tuple<const char*, std::function<void()>, const char*, const char*, bool> cases[] = {
        {"cmdTOMIRA判定", Press("cmdTOMIRA判定"), "frmQuestion", none, true},
        {"cmdTOMIRA解説", Press("cmdTOMIRA解説"), none, sorry, true},
        {"Alt+F O", keys({alt | Qt::Key_F, Qt::Key_O}), none, sorry, true},
        {"Alt+F S", keys({alt | Qt::Key_F, Qt::Key_S}), none, sorry, true},
        {"Alt+F W", keys({alt | Qt::Key_F, Qt::Key_W}), none, sorry, true},
        {"Alt+O", keys({alt | Qt::Key_O}), none, sorry, true},
        {"Alt+X", keys({alt | Qt::Key_X}), none, none, false},
    };
    // A questionnaire closed early leaves the type shown.
    Field("txtTOMIRA体質")->setText(QStringLiteral("ヴァータ型"));
    for (const auto& [what, act, opens, says, stays] : cases) {
        SCOPED_TRACE(what);
        messages.shown.clear();
        Field("txt名前")->setFocus();
        EXPECT_EQ(Opened(act), *opens ? QStringList{opens} : QStringList{});
        const ShownMessage message{says, "TOMIRA", MessageIcon::None};
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>(*says ? 1 : 0, message));
        EXPECT_EQ(window.isVisible(), stays);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        SetUp();
    }
    EXPECT_EQ(Box("txtTOMIRA体質"), QStringLiteral("ヴァータ型"));
}

TEST_F(MainWindowTest, EachDialogShowsItsTextAndClosesOnlyByItsOwnKeys)
{
    Retype("txt身長", "170");
    Retype("txt体重", "80");
    Retype("txt体脂肪率", "20");
    Click("cmd計算");
    const auto alt = Qt::AltModifier;
    // The dialog's title, one of its labels with its ground, the first focus, keys that leave it open, the key that
    // closes it, the messages shown meanwhile.
    struct Case {
        std::function<void()> open;
        const char *title, *line, *text;
        QRgb ground;
        const char* focus;
        std::vector<QKeyCombination> keeping;
        QKeyCombination closing;
        int shown;
    };
    // clang-format off
    const Case cases[] = {
        {.open = Press("cmdBMI解説"), .title = "BMIについて", .line = "lblBMIResult",
         .text = "あなたのBMIは「27.7：肥満型」です。", .ground = 0xFFC0FF, .focus = "cmd閉じる",
         .keeping = {Qt::Key_Escape}, .closing = Qt::Key_Return, .shown = 0},
        {.open = Press("cmd理想体重解説"), .title = "理想体重について", .line = "lbl理想体重Result",
         .text = "あなたの理想体重は「63.6kg」です。", .ground = 0xC0FFC0, .focus = "cmd閉じる",
         .keeping = {Qt::Key_Escape}, .closing = alt | Qt::Key_X, .shown = 0},
        {.open = Press("cmd体脂肪量解説"), .title = "体脂肪量について", .line = "lbl体脂肪量Result",
         .text = "あなたの体脂肪量は「16.0kg」です。", .ground = 0xC0FFC0, .focus = "cmd閉じる",
         .keeping = {Qt::Key_Escape}, .closing = Qt::KeypadModifier | Qt::Key_Enter, .shown = 0},
        // ｼｽﾃﾑ情報 by its access key and by Enter while it has the focus; OK, the default, closes (Esc: end to end).
        {.open = Choose("mnHelpVersion"), .title = "TOMIRAのﾊﾞｰｼﾞｮﾝ情報", .line = "lblVersion", .text = kVersionText,
         .ground = 0xF0F0F0, .focus = "cmdOK",
         .keeping = {alt | Qt::Key_S, Qt::Key_Tab, Qt::Key_Return, Qt::ShiftModifier | Qt::Key_Backtab},
         .closing = Qt::Key_Return, .shown = 2},
    };
    // clang-format on
    for (const auto& [open, title, line, text, ground, focus, keeping, closing, shown] : cases) {
        SCOPED_TRACE(title);
        messages.shown.clear();
        std::tuple<QString, QString, QColor, QString, bool, bool> seen;
        Opened(open, [&](QWidget* dialog) {
            auto& [windowTitle, lineText, lineGround, focused, openAfterKeeping, openAfterClosing] = seen;
            windowTitle = dialog->windowTitle();
            if (auto* label = dialog->findChild<QLabel*>(QString::fromUtf8(line))) {
                lineText = label->text();
                lineGround = label->palette().color(QPalette::Window);
            }
            focused = QApplication::focusWidget()->objectName();
            Keys(keeping);
            openAfterKeeping = dialog->isVisible();
            Keys({closing});
            openAfterClosing = dialog->isVisible();
        });
        EXPECT_EQ(seen, std::make_tuple(QString::fromUtf8(title), QString::fromUtf8(text), QColor(ground),
                                        QString::fromUtf8(focus), true, false));
        const ShownMessage unavailable{"現時点ではｼｽﾃﾑ情報を使用できません", "TOMIRA", MessageIcon::None};
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>(shown, unavailable));
    }
}

TEST_F(MainWindowTest, ClearEmptiesResultsAndKeepsInputs)
{
    const char* const results[] = {"txtTOMIRA体質", "txtBMI", "txt理想体重", "txt体脂肪量"};
    Field("txt身長")->setText(QStringLiteral("170"));
    for (const char* name : results) Field(name)->setText(QStringLiteral("x"));
    state = modCommon{.gVata = 85,
                      .gConstitution = "ヴァータ",
                      .gBMI = 22.5,
                      .gBodyType = "普通型",
                      .gIdealWeight = 63.6,
                      .gFatMass = 13};
    window.logic().mShowResults = kTrue;
    Keys({Qt::AltModifier | Qt::Key_K});
    for (const char* name : results) EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    EXPECT_EQ(Field("txt身長")->text(), QStringLiteral("170"));
    // Nothing of the results is left for the explanation dialogs; the scores stay.
    EXPECT_EQ(std::tuple(state.gConstitution, state.gBMI, state.gBodyType, state.gIdealWeight, state.gFatMass,
                         state.gVata, window.logic().mShowResults),
              std::tuple(std::string(), 0.0, std::string(), 0.0, 0.0, std::int16_t{85}, kFalse));
}

TEST_F(MainWindowTest, LeavingAFieldShowsItsFiguresOnlyAfterTheFirstCalculate)
{
    // Before it, the state only: the calculator's test.
    Retype("txt身長", "170");

    // Alt+C checks the field it leaves before calculating: the empty body fat shows no fat mass of 0.0.
    Retype("txt体重", "65");
    QTest::keyClick(Field("txt体重"), Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Box("txtBMI") == QStringLiteral("22.5"); }, 1000));
    EXPECT_TRUE(Box("txt体脂肪量").isEmpty());
    // So the fat mass goes with the body fat erased before Alt+C.
    for (const QString& fat : {QStringLiteral("20"), QString()}) {
        Retype("txt体脂肪率", fat);
        QTest::keyClick(Field("txt体脂肪率"), Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Box("txt体脂肪量") == (fat.isEmpty() ? "" : "13.0"); }, 1000));
    }

    Retype("txt身長", "180");
    QTest::keyClick(Field("txt身長"), Qt::Key_Tab);
    EXPECT_EQ(Box("txtBMI"), QStringLiteral("20.1"));
    EXPECT_EQ(Box("txt理想体重"), QStringLiteral("71.3"));
}

TEST_F(MainWindowTest, ABadFieldIsMarkedNamedAndSelected)
{
    Retype("txt身長", "170");
    Retype("txt体重", "65");
    Retype("txt体脂肪率", "20");
    Click("cmd計算");
    QLineEdit* field = Field("txt身長");
    Retype("txt身長", "170cm");
    Opened(Choose("mnHelpVersion"));  // another window taking the focus checks nothing, the next field does
    EXPECT_TRUE(field->toolTip().isEmpty());
    SetUp();  // the main window active again, the focus back in the height
    QTest::keyClick(field, Qt::Key_Tab);
    const std::string sentence = "身長に数字以外の文字が入っています。数字だけで入力してください（例：170.5）。";
    EXPECT_EQ(field->toolTip().toStdString(), sentence);
    const QImage image = field->grab().toImage();
    EXPECT_GT(image.pixelColor(0, image.height() / 2).red(), 150);
    EXPECT_LT(image.pixelColor(0, image.height() / 2).green(), 80);
    EXPECT_TRUE(Box("txtBMI").isEmpty());
    EXPECT_TRUE(messages.shown.empty());

    Click("cmd計算");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (ShownMessage{sentence, "確認", MessageIcon::Exclamation}));
    EXPECT_EQ(Box("txt体脂肪量"), QStringLiteral("13.0"));
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->selectedText(), QStringLiteral("170cm"));
    // Typing a number over the selection takes the mark away.
    QTest::keyClicks(field, QStringLiteral("160"));
    EXPECT_TRUE(field->toolTip().isEmpty());
}

// Sends what an input method sends to a field: a composition, or a commit.
void Input(QWidget* field, const QString& preedit, const QString& commit = {})
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QApplication::sendEvent(field, &event);
}

TEST_F(MainWindowTest, APendingCompositionIsCommittedOnceIntoItsOwnFieldAndADisabledOneTakesNothing)
{
    QLineEdit* name = Field("txt名前");
    QLineEdit* height = Field("txt身長");
    QLineEdit* weight = Field("txt体重");
    weight->setFocus();
    Input(weight, QStringLiteral("ろく"));
    Input(weight, {}, QStringLiteral("６５"));
    EXPECT_EQ(weight->text(), QString());
    // Left by the focus: into the name, and the IME's late copy is dropped.
    name->setFocus();
    Input(name, QStringLiteral("やまだ"));
    height->setFocus();
    EXPECT_EQ(name->text(), QStringLiteral("やまだ"));
    Input(height, {}, QStringLiteral("やまだ"));
    EXPECT_EQ(height->text(), QString());
    // A composition of the height's own is still taken, and so is a character committed at once after it.
    Input(height, QStringLiteral("いち"));
    Input(height, {}, QStringLiteral("１"));
    Input(height, {}, QStringLiteral("、"));
    EXPECT_EQ(height->text(), QStringLiteral("１、"));

    // Alt, as an access key begins, commits it too.
    name->setFocus();
    name->clear();
    Input(name, QStringLiteral("たろう"));
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(name, &alt);
    EXPECT_EQ(name->text(), QStringLiteral("たろう"));
    Input(name, {}, QStringLiteral("たろう"));
    EXPECT_EQ(name->text(), QStringLiteral("たろう"));
}

}  // namespace
}  // namespace tomira
