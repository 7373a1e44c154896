// The body metrics through the real main window: typing, moving the focus,
// cmd計算 by mouse and by Alt+C, fields that hold no usable number, and the
// three explanation dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string_view>

#include "app/frmStartMenu.h"
#include "metrics/MetricsCalculator.h"
#include "ui/RecordingMessages.h"
#include "ui/UiServices.h"

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

// Waits until the condition holds, at most a second.
template <typename Condition>
bool WaitFor(Condition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 1000) {
        QTest::qWait(10);
    }
    return condition();
}

bool HasRedFrame(QLineEdit* field)
{
    const QImage image = field->grab().toImage();
    const QColor edge = image.pixelColor(0, image.height() / 2);
    return edge.red() > 150 && edge.green() < 80 && edge.blue() < 80;
}

const QColor kCyan(0xC0, 0xFF, 0xFF);
const QColor kGreen(0xC0, 0xFF, 0xC0);
const QColor kMagenta(0xFF, 0xC0, 0xFF);
const QColor kRed(0xFF, 0xC0, 0xC0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

QColor Background(QWidget* widget) { return widget->palette().color(QPalette::Window); }

class MetricsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<frmStartMenu>(state, messages);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    // A new main window over a new state, as at start-up.
    void Restart()
    {
        window.reset();
        state = modCommon{};
        messages.shown.clear();
        SetUp();
    }

    QLineEdit* Field(const char* name)
    {
        auto* field = window->findChild<QLineEdit*>(QString::fromUtf8(name));
        EXPECT_NE(field, nullptr) << name;
        return field;
    }
    QPushButton* CalculateButton() { return window->findChild<QPushButton*>(QStringLiteral("cmd計算")); }
    QString Box(const char* name) { return Field(name)->text(); }

    // Replaces a field's text by typing, with the focus in the field.
    void Retype(const char* name, const QString& text)
    {
        QLineEdit* field = Field(name);
        field->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        TypeText(field, text);
    }
    void ClickCalculate() { QTest::mouseClick(CalculateButton(), Qt::LeftButton); }
    void PressAltC()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    }
    // All three typed, then cmd計算 clicked.
    void CalculateWith(const QString& h, const QString& w, const QString& p)
    {
        Retype("txt身長", h);
        Retype("txt体重", w);
        Retype("txt体脂肪率", p);
        ClickCalculate();
    }

    // Presses a main-window button and runs inspect while the modal dialog
    // it opens is shown; closes the dialog if inspect left it open. Returns
    // whether the dialog was gone (deleted) once the button's handler ended.
    bool WhileOpen(const char* button, const std::function<void(QDialog&)>& inspect)
    {
        QPointer<QDialog> seen;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (seen == nullptr) {
                ADD_FAILURE() << "no modal dialog from " << button;
                return;
            }
            inspect(*seen);
            if (seen && seen->isVisible()) {
                seen->close();
            }
        });
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
        return seen.isNull();
    }

    // The result sentence and its background, as the dialog shows them.
    std::pair<QString, QColor> ResultOf(const char* button, const char* label)
    {
        std::pair<QString, QColor> result;
        WhileOpen(button, [&](QDialog& dialog) {
            auto* line = dialog.findChild<QLabel*>(QString::fromUtf8(label));
            ASSERT_NE(line, nullptr) << label;
            result = {line->text(), Background(line)};
        });
        return result;
    }

    void SetMetrics(double bmi, const char* bodyType, double ideal, double fat)
    {
        state.gBMI = bmi;
        state.gBodyType = bodyType;
        state.gIdealWeight = ideal;
        state.gFatMass = fat;
    }

    modCommon state;
    RecordingMessages messages;
    std::unique_ptr<frmStartMenu> window;
};

TEST_F(MetricsWindowTest, LeavingFieldsUpdatesBoxesOnlyAfterTheFirstCalculate)
{
    Retype("txt身長", "170");
    Retype("txt体重", "65");
    QTest::keyClick(Field("txt体重"), Qt::Key_Tab);
    EXPECT_NEAR(state.gBMI, 22.49, 0.01);
    EXPECT_NEAR(state.gIdealWeight, 63.58, 0.01);
    EXPECT_TRUE(Box("txtBMI").isEmpty());
    EXPECT_TRUE(Box("txt理想体重").isEmpty());

    ClickCalculate();
    // A new height shows as soon as Enter leaves the field.
    Retype("txt身長", "180");
    QTest::keyClick(Field("txt身長"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Field("txt体重"));
    EXPECT_EQ(Box("txtBMI"), QStringLiteral("20.1"));
    EXPECT_EQ(Box("txt理想体重"), QStringLiteral("71.3"));

    // Erasing the weight and clicking elsewhere empties all three.
    Retype("txt体重", "");
    QTest::mouseClick(Field("txt名前"), Qt::LeftButton);
    EXPECT_TRUE(Box("txtBMI").isEmpty());
    EXPECT_TRUE(Box("txt理想体重").isEmpty());
    EXPECT_TRUE(Box("txt体脂肪量").isEmpty());
    EXPECT_EQ(state.gBMI, 0.0);
}

TEST_F(MetricsWindowTest, TheFieldCheckRunsBeforeCalculateByMouseAndByAltC)
{
    // With the focus still in the weight field and the body fat empty, a
    // check after the Calculate would show a fat mass of 0.0; a check
    // before it (while no results are shown yet) leaves the box empty.
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Alt+C" : "mouse");
        Restart();
        Retype("txt身長", "170");
        Retype("txt体重", "65");
        if (byKey) {
            PressAltC();
        } else {
            ClickCalculate();
        }
        ASSERT_TRUE(WaitFor([&] { return Box("txtBMI") == QStringLiteral("22.5"); }));
        EXPECT_EQ(Box("txt理想体重"), QStringLiteral("63.6"));
        EXPECT_TRUE(Box("txt体脂肪量").isEmpty());
    }
}

TEST_F(MetricsWindowTest, AltCFromAnErasedFieldClearsItsFigures)
{
    CalculateWith("170", "65", "20");
    // Calculate alone never clears; the check of the field left does.
    Retype("txt体重", "");
    PressAltC();
    ASSERT_TRUE(WaitFor([&] { return Box("txtBMI").isEmpty(); }));
    EXPECT_TRUE(Box("txt理想体重").isEmpty());
    EXPECT_TRUE(Box("txt体脂肪量").isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

struct BadCase {
    const char* field;
    const char* text;
    MeasurementField which;
    InputFault fault;
};

const BadCase kBadCases[] = {
    {"txt身長", "170cm", MeasurementField::Height, InputFault::NotANumber},
    {"txt身長", "40000", MeasurementField::Height, InputFault::OutOfRange},
    {"txt体重", "６５ｋｇ", MeasurementField::Weight, InputFault::NotANumber},
    {"txt体重", "   ", MeasurementField::Weight, InputFault::BlankOnly},
    {"txt体脂肪率", "1,700", MeasurementField::BodyFat, InputFault::NotANumber},
    {"txt体脂肪率", "1e999", MeasurementField::BodyFat, InputFault::NotANumber},
};

TEST_F(MetricsWindowTest, ABadFieldIsMarkedClearedAndNamedOnCalculate)
{
    for (const auto& c : kBadCases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.text);
        Restart();
        CalculateWith("170", "65", "20");
        ASSERT_EQ(Box("txtBMI"), QStringLiteral("22.5"));
        ASSERT_EQ(Box("txt理想体重"), QStringLiteral("63.6"));
        ASSERT_EQ(Box("txt体脂肪量"), QStringLiteral("13.0"));
        ASSERT_EQ(window->logic().mShowResults, kTrue);
        const QString bad = QString::fromUtf8(c.text);
        QLineEdit* field = Field(c.field);
        const QString sentence = QString::fromStdString(FaultSentence(c.which, c.fault));

        // Leaving the field: marked, its figures gone, no message.
        Retype(c.field, bad);
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(field->toolTip(), sentence);
        EXPECT_TRUE(HasRedFrame(field));
        EXPECT_EQ(field->text(), bad);
        const bool bmiGone = c.which != MeasurementField::BodyFat;
        const bool fatGone = c.which != MeasurementField::Height;
        EXPECT_EQ(Box("txtBMI").isEmpty(), bmiGone);
        EXPECT_EQ(Box("txt体脂肪量").isEmpty(), fatGone);

        // cmd計算: one message, the sound figures, the focus back in the field.
        ClickCalculate();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], (ShownMessage{sentence.toStdString(), "確認", MessageIcon::Exclamation}));
        EXPECT_EQ(field->text(), bad);
        EXPECT_EQ(Box("txtBMI"), bmiGone ? QString() : QStringLiteral("22.5"));
        EXPECT_EQ(Box("txt理想体重"), bmiGone ? QString() : QStringLiteral("63.6"));
        EXPECT_EQ(Box("txt体脂肪量"), fatGone ? QString() : QStringLiteral("13.0"));
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->selectionStart(), 0);
        EXPECT_EQ(field->selectionLength(), bad.size());

        // Typing a number over the selection takes the mark away.
        TypeText(field, QStringLiteral("70"));
        EXPECT_TRUE(field->toolTip().isEmpty());
        EXPECT_FALSE(HasRedFrame(field));
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(messages.shown.size(), 1u);
    }
}

TEST_F(MetricsWindowTest, AltCFromABadFieldShowsOneMessage)
{
    CalculateWith("170", "65", "20");
    Retype("txt体脂肪率", "20%");
    PressAltC();
    ASSERT_TRUE(WaitFor([&] { return !messages.shown.empty(); }));
    QTest::qWait(50);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, FaultSentence(MeasurementField::BodyFat, InputFault::NotANumber));
    EXPECT_TRUE(Box("txt体脂肪量").isEmpty());
    EXPECT_EQ(Box("txtBMI"), QStringLiteral("22.5"));
    EXPECT_EQ(QApplication::focusWidget(), Field("txt体脂肪率"));
    EXPECT_EQ(Field("txt体脂肪率")->text(), QStringLiteral("20%"));
    // Still masked: the mark does not show the hidden text.
    EXPECT_EQ(Field("txt体脂肪率")->displayText(), QStringLiteral("***"));
}

TEST_F(MetricsWindowTest, AVeryLongTextNeitherCrashesNorShowsAFigure)
{
    CalculateWith("170", "65", "20");
    const QString longText(20000, QLatin1Char('9'));
    Field("txt身長")->setFocus();
    Field("txt身長")->setText(longText);
    QTest::keyClick(Field("txt身長"), Qt::Key_Tab);
    EXPECT_TRUE(Box("txtBMI").isEmpty());
    ClickCalculate();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, FaultSentence(MeasurementField::Height, InputFault::OutOfRange));
    EXPECT_EQ(Field("txt身長")->text(), longText);
    EXPECT_EQ(Box("txt体脂肪量"), QStringLiteral("13.0"));
}

struct LabelLayout {
    const char* name;
    int left, top, width, height;
    const char* text;  // nullptr: checked elsewhere
    QColor background;
    double points;
    Qt::Alignment horizontal;
};

struct DialogLayout {
    const char *button, *objectName, *caption;
    int clientWidth, clientHeight, closeLeft, closeTop;
    std::vector<LabelLayout> labels;
};

constexpr auto L = Qt::AlignLeft;
constexpr auto C = Qt::AlignHCenter;

const DialogLayout kDialogs[] = {
    {"cmdBMI解説", "frmBMI解説", "BMIについて", 8385, 7680, 3120, 6720,
     {{"Label10", 120, 0, 8175, 7575, "", kWhite, 12, L},
      {"titleBMI", 120, 0, 8175, 375, "BMIについて", kCyan, 14.25, C},
      {"lblBMI解説", 120, 480, 8175, 2655, nullptr, kWhite, 12, L},
      {"Label2", 2160, 3480, 1815, 375, "BMI", kRed, 12, C},
      {"Label3", 4200, 3480, 1815, 375, "判定", kRed, 12, C},
      {"Label5", 2160, 4080, 1815, 375, "18.5未満", kCyan, 12, C},
      {"Label7", 4200, 4080, 1815, 375, "やせ型", kCyan, 12, C},
      {"Label4", 2160, 4680, 1815, 375, "18.5～25未満", kGreen, 12, C},
      {"Label8", 4200, 4680, 1815, 375, "普通型", kGreen, 12, C},
      {"Label6", 2160, 5280, 1815, 375, "25以上", kMagenta, 12, C},
      {"Label9", 4200, 5280, 1815, 375, "肥満型", kMagenta, 12, C},
      {"lblBMIResult", 120, 6120, 8175, 375, "あなたのBMIは「不明」です。", kRed, 14.25, C}}},
    {"cmd理想体重解説", "frm理想体重解説", "理想体重について", 9780, 4845, 3960, 3720,
     {{"Label10", 120, 360, 9615, 4455, "", kWhite, 12, L},
      {"title理想体重", 120, 0, 9615, 375, "理想体重について", kCyan, 14.25, C},
      {"lbl理想体重解説", 120, 360, 9615, 2175, "", kWhite, 12, L},
      {"Label1", 720, 960, 8295, 375, "理想体重とは、あなたの身長に対して、BMI(体型指数)の理想値「22」としたときの", kWhite, 12, L},
      {"Label2", 720, 1440, 8295, 375, "体重です。この値が、健康を維持する上での目標値となります。", kWhite, 12, L},
      {"Label3", 720, 1920, 8295, 375, "計算式は（身長[m]×身長[m]×22）で求められます。", kWhite, 12, L},
      {"lbl理想体重Result", 120, 2880, 9615, 375, "あなたの理想体重は「不明」です。", kGreen, 14.25, C}}},
    {"cmd体脂肪量解説", "frm体脂肪量解説", "体脂肪量について", 9780, 4845, 3960, 3720,
     {{"Label10", 120, 360, 9615, 4455, "", kWhite, 12, L},
      {"title体脂肪量", 120, 0, 9615, 375, "体脂肪量について", kCyan, 14.25, C},
      {"lbl体脂肪量解説", 120, 360, 9615, 2175, "", kWhite, 12, L},
      {"Label1", 720, 960, 8295, 375, "体脂肪量とは、体脂肪率から求めた、あなたの体の中にどれだけの脂肪が", kWhite, 12, L},
      {"Label2", 720, 1440, 8295, 375, "あるかという量です。", kWhite, 12, L},
      {"Label3", 720, 1920, 8295, 375, "計算式は（体重[kg]×体脂肪率[％]÷100）で求められます。", kWhite, 12, L},
      {"lbl体脂肪量Result", 120, 2880, 9615, 375, "あなたの体脂肪量は「不明」です。", kGreen, 14.25, C}}},
};

TEST_F(MetricsWindowTest, EachDialogIsLaidOutAsItsTable)
{
    for (const auto& layout : kDialogs) {
        SCOPED_TRACE(layout.objectName);
        const bool deleted = WhileOpen(layout.button, [&](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), QString::fromUtf8(layout.objectName));
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(layout.caption));
            EXPECT_EQ(dialog.size(), TwipsRect(0, 0, layout.clientWidth, layout.clientHeight).size());
            EXPECT_EQ(dialog.parentWidget(), window.get());
            // A resizable frame with a close box but no minimise or maximise box.
            EXPECT_NE(dialog.minimumSize(), dialog.maximumSize());
            EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
            EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
            EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
            // Centred on the screen.
            const QPoint centre = dialog.screen()->availableGeometry().center();
            EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 40);

            for (const auto& l : layout.labels) {
                auto* label = dialog.findChild<QLabel*>(QString::fromUtf8(l.name));
                ASSERT_NE(label, nullptr) << l.name;
                const QRect box = TwipsRect(l.left, l.top, l.width, l.height);
                if (std::string_view(l.name) == "lblBMI解説") {
                    // The explanation may grow downwards a little for a font
                    // with taller lines, never into the table below it.
                    EXPECT_EQ(label->pos(), box.topLeft());
                    EXPECT_EQ(label->width(), box.width());
                    EXPECT_GE(label->height(), box.height());
                    EXPECT_LE(label->height(), box.height() + 12);
                } else {
                    EXPECT_EQ(label->geometry(), box) << l.name;
                }
                if (l.text != nullptr) {
                    EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
                }
                EXPECT_EQ(Background(label), l.background) << l.name;
                EXPECT_TRUE(label->autoFillBackground()) << l.name;
                EXPECT_EQ(label->font().pointSizeF(), l.points) << l.name;
                EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, l.horizontal) << l.name;
            }

            auto* close = dialog.findChild<QPushButton*>(QStringLiteral("cmd閉じる"));
            ASSERT_NE(close, nullptr);
            EXPECT_EQ(close->text(), QStringLiteral("閉じる（&X）"));
            EXPECT_EQ(close->geometry(), TwipsRect(layout.closeLeft, layout.closeTop, 1695, 615));
            EXPECT_FALSE(close->isDefault());
            EXPECT_FALSE(close->autoDefault());
            EXPECT_EQ(dialog.focusWidget(), close);
            for (QWidget* child : dialog.findChildren<QWidget*>()) {
                if (child != close) {
                    EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
                }
            }

            // Esc leaves it open; Enter on the focused button closes it.
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::qWait(150);
            EXPECT_TRUE(dialog.isVisible());
            QTest::keyClick(close, Qt::Key_Return);
            QElapsedTimer timer;
            timer.start();
            while (dialog.isVisible() && timer.elapsed() < 1000) {
                QTest::qWait(10);
            }
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_TRUE(deleted);
    }
}

TEST_F(MetricsWindowTest, BMIDialogExplainsAndDrawsTheTableGrid)
{
    WhileOpen("cmdBMI解説", [&](QDialog& dialog) {
        auto* text = dialog.findChild<QLabel*>(QStringLiteral("lblBMI解説"));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->wordWrap());
        EXPECT_EQ(text->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
        const QStringList lines = text->text().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 10);
        EXPECT_EQ(lines[0], QStringLiteral("　BMIとはBody Mass Indexのことで、体型を診断するのに使われる指数です。"));
        EXPECT_EQ(lines[9], QStringLiteral("　両方が悪い人は、食事療法と運動療法が必要だそうです。"));
        EXPECT_FALSE(text->text().contains(QLatin1Char('\r')));

        // Frame, three row separators and the column separator, one pixel
        // wide, meeting at the corners.
        const struct {
            const char* name;
            QRect pixels;
        } lines8[] = {
            {"Line1", QRect(136, 224, 273, 1)}, {"Line2", QRect(136, 384, 273, 1)},
            {"Line3", QRect(136, 224, 1, 161)}, {"Line4", QRect(408, 224, 1, 161)},
            {"Line5", QRect(136, 264, 273, 1)}, {"Line6", QRect(136, 304, 273, 1)},
            {"Line7", QRect(136, 344, 273, 1)}, {"Line8", QRect(272, 224, 1, 161)},
        };
        for (const auto& line : lines8) {
            QWidget* drawn = dialog.findChild<QWidget*>(QString::fromUtf8(line.name));
            ASSERT_NE(drawn, nullptr) << line.name;
            EXPECT_EQ(drawn->geometry(), line.pixels) << line.name;
        }
        // Drawn over the white panel behind the table.
        const QImage image = dialog.grab().toImage();
        EXPECT_EQ(image.pixelColor(200, 224), dialog.palette().color(QPalette::WindowText));
        EXPECT_EQ(image.pixelColor(140, 230), kWhite);
    });
}

TEST_F(MetricsWindowTest, ResultLinesFollowTheBMIAndItsBodyType)
{
    struct Case {
        const char* what;
        double bmi;
        const char* bodyType;
        double ideal, fat;
        const char* bmiSentence;
        QColor bmiColour;
        const char *idealSentence, *fatSentence;
    };
    const char* const unknown[] = {"あなたのBMIは「不明」です。", "あなたの理想体重は「不明」です。",
                                   "あなたの体脂肪量は「不明」です。"};
    const Case cases[] = {
        {"nothing computed", 0, "", 0, 0, unknown[0], kRed, unknown[1], unknown[2]},
        {"present", 22.04, "普通型", 63.58, 13, "あなたのBMIは「22.0：普通型」です。", kGreen,
         "あなたの理想体重は「63.6kg」です。", "あなたの体脂肪量は「13.0kg」です。"},
        {"missing at 0.5", 0.5, "やせ型", 63.6, 13, unknown[0], kCyan, unknown[1], unknown[2]},
        {"missing at -0.5", -0.5, "やせ型", 63.6, 13, unknown[0], kCyan, unknown[1], unknown[2]},
        {"just present", 0.51, "やせ型", 0, 0, "あなたのBMIは「0.5：やせ型」です。", kCyan,
         "あなたの理想体重は「0.0kg」です。", "あなたの体脂肪量は「0.0kg」です。"},
        {"obese", 31.2, "肥満型", 63.6, 20.1, "あなたのBMIは「31.2：肥満型」です。", kMagenta,
         "あなたの理想体重は「63.6kg」です。", "あなたの体脂肪量は「20.1kg」です。"},
        {"other type", 22, "標準", 63.6, 0, "あなたのBMIは「22.0：標準」です。", kRed,
         "あなたの理想体重は「63.6kg」です。", "あなたの体脂肪量は「0.0kg」です。"},
        {"empty type", 22, "", 63.6, 0, "あなたのBMIは「22.0：」です。", kRed, "あなたの理想体重は「63.6kg」です。",
         "あなたの体脂肪量は「0.0kg」です。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetMetrics(c.bmi, c.bodyType, c.ideal, c.fat);
        const auto bmi = ResultOf("cmdBMI解説", "lblBMIResult");
        EXPECT_EQ(bmi.first, QString::fromUtf8(c.bmiSentence));
        EXPECT_EQ(bmi.second, c.bmiColour);
        const auto ideal = ResultOf("cmd理想体重解説", "lbl理想体重Result");
        EXPECT_EQ(ideal.first, QString::fromUtf8(c.idealSentence));
        EXPECT_EQ(ideal.second, kGreen);
        const auto fat = ResultOf("cmd体脂肪量解説", "lbl体脂肪量Result");
        EXPECT_EQ(fat.first, QString::fromUtf8(c.fatSentence));
        EXPECT_EQ(fat.second, kGreen);
    }
    // The dialogs only read the common state.
    EXPECT_EQ(state.gBMI, 22.0);
    EXPECT_EQ(state.gIdealWeight, 63.6);
}

TEST_F(MetricsWindowTest, ReopeningAfterARecalculationShowsTheNewValues)
{
    const auto calculate = [&](const char* h, const char* w, const char* p) {
        const std::pair<const char*, const char*> fields[] = {{"txt身長", h}, {"txt体重", w}, {"txt体脂肪率", p}};
        for (const auto& [name, text] : fields) {
            auto* field = window->findChild<QLineEdit*>(QString::fromUtf8(name));
            field->setFocus();
            field->setText(QString::fromUtf8(text));
        }
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmd計算")), Qt::LeftButton);
    };
    calculate("170", "65", "20");
    EXPECT_EQ(ResultOf("cmdBMI解説", "lblBMIResult"),
              std::make_pair(QStringLiteral("あなたのBMIは「22.5：普通型」です。"), kGreen));
    EXPECT_EQ(ResultOf("cmd理想体重解説", "lbl理想体重Result").first, QStringLiteral("あなたの理想体重は「63.6kg」です。"));
    EXPECT_EQ(ResultOf("cmd体脂肪量解説", "lbl体脂肪量Result").first, QStringLiteral("あなたの体脂肪量は「13.0kg」です。"));

    calculate("160", "47", "25");
    EXPECT_EQ(ResultOf("cmdBMI解説", "lblBMIResult"),
              std::make_pair(QStringLiteral("あなたのBMIは「18.4：やせ型」です。"), kCyan));
    EXPECT_EQ(ResultOf("cmd理想体重解説", "lbl理想体重Result").first, QStringLiteral("あなたの理想体重は「56.3kg」です。"));
    EXPECT_EQ(ResultOf("cmd体脂肪量解説", "lbl体脂肪量Result").first, QStringLiteral("あなたの体脂肪量は「11.8kg」です。"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace tomira
