// Every caption of every window fits its box with this machine's fonts, also the texts put there at run time (all
// statements, the highest scores, the result sentences), at the scale factors 1, 1.25, 1.5 and 2.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QImage>
#include <QtMath>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>
#include <tuple>

#include "about/frmAbout.h"
#include "app/frmStartMenu.h"
#include "metrics/ExplanationDialogs.h"
#include "questionnaire/frmQuestion.h"
#include "state/modCommon.h"
#include "support/RecordingMessages.h"
#include "ui/ProgramColours.h"

namespace tomira {
namespace {

using testing::RecordingMessages;

// The text as drawn: "&&" is one ampersand, a single "&" marks the access key.
QString DrawnText(QString text, bool mnemonic)
{
    return mnemonic ? text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1")) : text;
}

QString Describe(const QWidget& widget, const QString& text, QSizeF need, QSizeF have)
{
    return QString::asprintf("%s %s: needs %.2f x %.2f, has %.2f x %.2f", qUtf8Printable(widget.objectName()),
                             qUtf8Printable(text), need.width(), need.height(), have.width(), have.height());
}

// Whether the label, drawn with room below, puts ink there, where its box would clip it.
bool InkBelow(QLabel& label)
{
    const QSize real = label.size();
    label.resize(real.width(), real.height() + 40);
    const QImage image = label.grab().toImage();
    label.resize(real);
    const int from = qCeil(real.height() * image.devicePixelRatio());
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    for (int y = from; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) return true;
    return false;
}

bool Exceeds(QSizeF need, QSizeF have)
{
    return need.width() > have.width() + 0.01 || need.height() > have.height() + 0.01;
}

// The captions of the window's visible controls that do not fit.
QStringList Misfits(QWidget& window)
{
    QStringList misfits;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
        if (label->wordWrap() && (label->alignment() & Qt::AlignTop)) {
            // A wrapping text from the top: drawn taller, it must not show anything below its real box.
            if (InkBelow(*label)) misfits << Describe(*label, label->text(), {}, label->size());
            continue;
        }
        // One centred line: its box reaches the descent below the baseline, its ink only the deepest glyph's.
        const QFontMetricsF metrics(label->font());
        const QSizeF hint = label->sizeHint();
        const QRectF ink = metrics.tightBoundingRect(label->text().split(u'\n').last().remove(u'\r'));
        const QSizeF need(hint.width(), hint.height() - metrics.descent() + std::max(0.0, ink.bottom()));
        if (Exceeds(need, label->size()))
            misfits << Describe(*label, DrawnText(label->text(), label->buddy() != nullptr), need, label->size());
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window) || button->text().isEmpty()) continue;
        const QString text = DrawnText(button->text(), true);
        const QFontMetricsF metrics(button->font());
        // A one-line caption is centred: its ink must fit.
        QSizeF need(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).height());
        QStyle* style = button->style();
        if (qobject_cast<QCheckBox*>(button) != nullptr) {
            need.rwidth() += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                             style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
        } else {
            // The frame and the focus rectangle take a few pixels each side.
            const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 1;
            need += QSizeF(2 * frame, 2 * frame);
        }
        if (Exceeds(need, button->size())) misfits << Describe(*button, text, need, button->size());
    }
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (!field->isVisibleTo(&window) || field->text().isEmpty() || field->echoMode() != QLineEdit::Normal) continue;
        const QRectF box = field->contentsRect().marginsRemoved(field->textMargins()).adjusted(2, 0, -2, 0);
        const QSizeF need(QFontMetricsF(field->font()).horizontalAdvance(field->text()), 0);
        if (Exceeds(need, box.size())) misfits << Describe(*field, field->text(), need, box.size());
    }
    return misfits;
}

// Shows the window and expects every caption in it to fit.
void ExpectFits(QWidget& window, const char* when = "")
{
    window.show();
    QApplication::processEvents();
    const QStringList misfits = Misfits(window);
    EXPECT_TRUE(misfits.isEmpty()) << when << misfits.join(u'\n').toStdString();
}

class TextFitTest : public ::testing::Test {
protected:
    modCommon state;
    RecordingMessages messages;
};

TEST_F(TextFitTest, MainWindowAndAboutBox)
{
    frmStartMenu window(state, messages);
    // The widest results: the longest type, and figures of four digits.
    for (const auto& [box, text] : {std::pair{"txtTOMIRA体質", "ヴァータ・ピッタ型"},
                                    {"txtBMI", "188.8"},
                                    {"txt理想体重", "188.8"},
                                    {"txt体脂肪量", "188.8"}})
        window.findChild<QLineEdit*>(QString::fromUtf8(box))->setText(QString::fromUtf8(text));
    ExpectFits(window);
    frmAbout box(messages);
    ExpectFits(box);
}

TEST_F(TextFitTest, QuestionnaireOnEveryPageWithTheHighestScores)
{
    frmQuestion window(state, messages);
    window.show();
    QApplication::processEvents();
    QStringList misfits;
    // The sums and the average are on screen while the report is open.
    messages.onShow = [&](const testing::ShownMessage&) { misfits << Misfits(window); };
    for (int page = 0; page < 3; ++page) {
        misfits << Misfits(window);
        for (QComboBox* box : window.findChildren<QComboBox*>()) box->setCurrentIndex(box->count() - 1);
        window.findChild<QPushButton*>(QStringLiteral("cmd次の質問"))->click();
    }
    misfits << Misfits(window);
    window.findChild<QPushButton*>(QStringLiteral("cmd結果表示"))->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(state.gTotal, 360);
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join(u'\n').toStdString();
}

TEST_F(TextFitTest, ExplanationDialogsWithAndWithoutFigures)
{
    // BMI, body type, ideal weight, fat mass.
    const std::tuple<double, const char*, double, double> cases[] = {
        {0.0, "", 0.0, 0.0},              // nothing computed yet: the "unknown" sentences
        {188.8, "肥満型", 188.8, 188.8},  // wide figures
    };
    for (const auto& [bmi, bodyType, ideal, fat] : cases) {
        state = modCommon{.gBMI = bmi, .gBodyType = bodyType, .gIdealWeight = ideal, .gFatMass = fat};
        frmBMI解説 bmiDialog(state, nullptr);
        frm理想体重解説 idealDialog(state, nullptr);
        frm体脂肪量解説 fatDialog(state, nullptr);
        for (QWidget* dialog : std::initializer_list<QWidget*>{&bmiDialog, &idealDialog, &fatDialog})
            ExpectFits(*dialog, bodyType);
    }
}

}  // namespace
}  // namespace tomira
