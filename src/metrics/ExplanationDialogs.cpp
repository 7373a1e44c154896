#include "metrics/ExplanationDialogs.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

#include "metrics/ExplanationText.h"
#include "ui/UiServices.h"

namespace tomira {

namespace {

constexpr double kTextPt = 12;
constexpr double kLargePt = 14.25;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// A label's text shows its lines broken at LF.
QString LabelText(const std::string& text)
{
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

ExplanationDialog::ExplanationDialog(const char* name, const char* caption, int clientWidth, int clientHeight,
                                     QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QString::fromUtf8(name));
    setWindowTitle(QString::fromUtf8(caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(UiFont(kTextPt));
    setSizeGripEnabled(false);
    resize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
}

QLabel* ExplanationDialog::AddLabel(const char* name, const char* text, std::uint32_t background, double pointSize,
                                    int left, int top, int width, int height, Qt::Alignment alignment)
{
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(UiFont(pointSize));
    label->setAlignment(alignment);
    label->setFocusPolicy(Qt::NoFocus);
    SetBackground(*label, background);
    PlaceTwips(*label, left, top, width, height);
    return label;
}

QPushButton* ExplanationDialog::AddCloseButton(int left, int top)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("cmd閉じる"));
    SetCaption(*button, QStringLiteral("閉じる（&X）"));
    button->setFont(UiFont(kTextPt));
    // Neither default nor cancel: Esc does not press it, and Enter only
    // while it has the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    PlaceTwips(*button, left, top, 1695, 615);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    button->setFocus();
    return button;
}

void ExplanationDialog::AddLine(const char* name, int x1, int y1, int x2, int y2)
{
    // One pixel wide, in the text colour; both end points are drawn, so
    // the lines of a grid meet at the corners.
    auto* line = new QWidget(this);
    line->setObjectName(QString::fromUtf8(name));
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    line->setFocusPolicy(Qt::NoFocus);
    const int left = TwipsToPixels(x1);
    const int top = TwipsToPixels(y1);
    line->setGeometry(left, top, TwipsToPixels(x2) - left + 1, TwipsToPixels(y2) - top + 1);
}

void ExplanationDialog::Place() { CentreOnScreen(*this); }

void ExplanationDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();  // Esc leaves the dialog open
        return;
    }
    QDialog::keyPressEvent(event);
}

frmBMI解説::frmBMI解説(const modCommon& state, QWidget* owner)
    : ExplanationDialog("frmBMI解説", "BMIについて", 8385, 7680, owner), state_(state)
{
    AddLabel("Label10", "", kWhite, kTextPt, 120, 0, 8175, 7575, kLeft)->lower();
    AddLabel("titleBMI", "BMIについて", kLightCyan, kLargePt, 120, 0, 8175, 375, kCentred);
    lblBMI解説_ = AddLabel("lblBMI解説", "", kWhite, kTextPt, 120, 480, 8175, 2655, Qt::AlignLeft | Qt::AlignTop);
    lblBMI解説_->setWordWrap(true);

    AddLabel("Label2", "BMI", kLightRed, kTextPt, 2160, 3480, 1815, 375, kCentred);
    AddLabel("Label3", "判定", kLightRed, kTextPt, 4200, 3480, 1815, 375, kCentred);
    AddLabel("Label5", "18.5未満", kLightCyan, kTextPt, 2160, 4080, 1815, 375, kCentred);
    AddLabel("Label7", "やせ型", kLightCyan, kTextPt, 4200, 4080, 1815, 375, kCentred);
    AddLabel("Label4", "18.5～25未満", kLightGreen, kTextPt, 2160, 4680, 1815, 375, kCentred);
    AddLabel("Label8", "普通型", kLightGreen, kTextPt, 4200, 4680, 1815, 375, kCentred);
    AddLabel("Label6", "25以上", kLightMagenta, kTextPt, 2160, 5280, 1815, 375, kCentred);
    AddLabel("Label9", "肥満型", kLightMagenta, kTextPt, 4200, 5280, 1815, 375, kCentred);

    // The grid of the table: frame, three row separators, one column separator.
    AddLine("Line1", 2040, 3360, 6120, 3360);
    AddLine("Line2", 2040, 5760, 6120, 5760);
    AddLine("Line3", 2040, 3360, 2040, 5760);
    AddLine("Line4", 6120, 3360, 6120, 5760);
    AddLine("Line5", 2040, 3960, 6120, 3960);
    AddLine("Line6", 2040, 4560, 6120, 4560);
    AddLine("Line7", 2040, 5160, 6120, 5160);
    AddLine("Line8", 4080, 3360, 4080, 5760);

    lblBMIResult_ = AddLabel("lblBMIResult", "あなたのBMIは22です。", kLightGreen, kLargePt, 120, 6120, 8175, 375,
                             kCentred);
    AddCloseButton(3120, 6720);
    FillDialog();
    Place();
}

void frmBMI解説::FillDialog()
{
    lblBMI解説_->setText(LabelText(BMIExplanationText()));
    // The box was drawn for the ten lines in ＭＳ Ｐゴシック; a stand-in font
    // with taller lines would cut the last one off, so the box grows
    // downwards into the space above the table as far as the text needs.
    const int needed = lblBMI解説_->heightForWidth(lblBMI解説_->width());
    if (needed > lblBMI解説_->height()) {
        lblBMI解説_->resize(lblBMI解説_->width(), needed);
    }
    SetBackground(*lblBMIResult_, BMIResultColour(state_.gBodyType));
    lblBMIResult_->setText(ToQString(BMIResultSentence(state_)));
}

frm理想体重解説::frm理想体重解説(const modCommon& state, QWidget* owner)
    : ExplanationDialog("frm理想体重解説", "理想体重について", 9780, 4845, owner), state_(state)
{
    AddLabel("Label10", "", kWhite, kTextPt, 120, 360, 9615, 4455, kLeft)->lower();
    AddLabel("title理想体重", "理想体重について", kLightCyan, kLargePt, 120, 0, 9615, 375, kCentred);
    AddLabel("lbl理想体重解説", "", kWhite, kTextPt, 120, 360, 9615, 2175, kLeft);
    AddLabel("Label1", "理想体重とは、あなたの身長に対して、BMI(体型指数)の理想値「22」としたときの", kWhite, kTextPt,
             720, 960, 8295, 375, kLeft);
    AddLabel("Label2", "体重です。この値が、健康を維持する上での目標値となります。", kWhite, kTextPt, 720, 1440, 8295,
             375, kLeft);
    AddLabel("Label3", "計算式は（身長[m]×身長[m]×22）で求められます。", kWhite, kTextPt, 720, 1920, 8295, 375,
             kLeft);
    lbl理想体重Result_ = AddLabel("lbl理想体重Result", "あなたの理想体重は60kgです。", kLightGreen, kLargePt, 120,
                                  2880, 9615, 375, kCentred);
    AddCloseButton(3960, 3720);
    FillDialog();
    Place();
}

void frm理想体重解説::FillDialog() { lbl理想体重Result_->setText(ToQString(IdealWeightResultSentence(state_))); }

frm体脂肪量解説::frm体脂肪量解説(const modCommon& state, QWidget* owner)
    : ExplanationDialog("frm体脂肪量解説", "体脂肪量について", 9780, 4845, owner), state_(state)
{
    AddLabel("Label10", "", kWhite, kTextPt, 120, 360, 9615, 4455, kLeft)->lower();
    AddLabel("title体脂肪量", "体脂肪量について", kLightCyan, kLargePt, 120, 0, 9615, 375, kCentred);
    AddLabel("lbl体脂肪量解説", "", kWhite, kTextPt, 120, 360, 9615, 2175, kLeft);
    AddLabel("Label1", "体脂肪量とは、体脂肪率から求めた、あなたの体の中にどれだけの脂肪が", kWhite, kTextPt, 720, 960,
             8295, 375, kLeft);
    AddLabel("Label2", "あるかという量です。", kWhite, kTextPt, 720, 1440, 8295, 375, kLeft);
    AddLabel("Label3", "計算式は（体重[kg]×体脂肪率[％]÷100）で求められます。", kWhite, kTextPt, 720, 1920, 8295, 375,
             kLeft);
    lbl体脂肪量Result_ = AddLabel("lbl体脂肪量Result", "あなたの体脂肪量は12kgです。", kLightGreen, kLargePt, 120,
                                  2880, 9615, 375, kCentred);
    AddCloseButton(3960, 3720);
    FillDialog();
    Place();
}

void frm体脂肪量解説::FillDialog() { lbl体脂肪量Result_->setText(ToQString(FatMassResultSentence(state_))); }

}  // namespace tomira
