#include "metrics/ExplanationDialogs.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

#include "metrics/ExplanationText.h"
#include "state/Colours.h"
#include "ui/FormKit.h"
#include "ui/ProgramColours.h"
#include "ui/ProgramFont.h"
#include "ui/QtText.h"
#include "state/Units.h"
#include "ui/WindowCentring.h"

namespace tomira {

namespace {

constexpr double kTextPt = 12;
constexpr double kLargePt = 14.25;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;

// The looks of the dialogs' labels.
constexpr LabelLook kWhiteText{.ground = kWhite, .pointSize = kTextPt};
constexpr LabelLook kTitle{.ground = kLightCyan, .pointSize = kLargePt, .alignment = kCentred};
constexpr LabelLook kResultLine{.ground = kLightGreen, .pointSize = kLargePt, .alignment = kCentred};

}  // namespace

ExplanationDialog::ExplanationDialog(const QString& name, const QString& caption, int clientWidth, int clientHeight,
                                     QWidget* owner)
    : QDialog(owner)
{
    SetUpWindow(*this, name, caption, Qt::Dialog | kTitleAndCloseBox);
    setFont(UiFont(kTextPt));
    setSizeGripEnabled(false);
    resize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
}

QLabel* ExplanationDialog::AddText(const QString& name, const QString& text, Twips place, const LabelLook& look)
{
    return AddLabel(*this, name, text, place, look);
}

void ExplanationDialog::AddCloseButton(int left, int top)
{
    // Neither default nor cancel: Esc does not press it, and Enter only
    // while it has the focus.
    QPushButton* button = AddButton(*this, "cmd閉じる", "閉じる（&X）", {left, top, 1695, 615}, kTextPt);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    button->setFocus();
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
    AddText("Label10", "", {120, 0, 8175, 7575}, kWhiteText)->lower();
    AddText("titleBMI", "BMIについて", {120, 0, 8175, 375}, kTitle);
    lblBMI解説_ = AddText("lblBMI解説", "", {120, 480, 8175, 2655},
                          {.ground = kWhite, .pointSize = kTextPt, .alignment = Qt::AlignLeft | Qt::AlignTop});
    lblBMI解説_->setWordWrap(true);

    // The table of body types: a row a type, in the colour of its result line.
    struct Row {
        const char* bmiName;
        const char* bmi;
        const char* typeName;
        const char* type;
        std::uint32_t ground;
        int top;
    };
    for (const Row& row : {Row{"Label2", "BMI", "Label3", "判定", kLightRed, 3480},
                           Row{"Label5", "18.5未満", "Label7", "やせ型", kLightCyan, 4080},
                           Row{"Label4", "18.5～25未満", "Label8", "普通型", kLightGreen, 4680},
                           Row{"Label6", "25以上", "Label9", "肥満型", kLightMagenta, 5280}}) {
        const LabelLook cell{.ground = row.ground, .pointSize = kTextPt, .alignment = kCentred};
        AddText(row.bmiName, row.bmi, {2160, row.top, 1815, 375}, cell);
        AddText(row.typeName, row.type, {4200, row.top, 1815, 375}, cell);
    }

    // The grid of the table: frame, three row separators, one column
    // separator, each with both end points so that they meet.
    const auto line = [this](const char* name, int x1, int y1, int x2, int y2) {
        AddLine(*this, name, x1, y1, x2, y2, kBlack, 1, LineEnd::Closed);
    };
    line("Line1", 2040, 3360, 6120, 3360);
    line("Line2", 2040, 5760, 6120, 5760);
    line("Line3", 2040, 3360, 2040, 5760);
    line("Line4", 6120, 3360, 6120, 5760);
    line("Line5", 2040, 3960, 6120, 3960);
    line("Line6", 2040, 4560, 6120, 4560);
    line("Line7", 2040, 5160, 6120, 5160);
    line("Line8", 4080, 3360, 4080, 5760);

    lblBMIResult_ = AddText("lblBMIResult", "あなたのBMIは22です。", {120, 6120, 8175, 375}, kResultLine);
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

FormulaExplanation::FormulaExplanation(const Texts& texts, const modCommon& state, QWidget* owner)
    : ExplanationDialog(QStringLiteral("frm%1解説").arg(texts.subject), QStringLiteral("%1について").arg(texts.subject),
                        9780, 4845, owner),
      state_(state),
      result_(texts.result)
{
    const QString subject = QString::fromUtf8(texts.subject);
    AddText("Label10", "", {120, 360, 9615, 4455}, kWhiteText)->lower();
    AddText("title" + subject, subject + "について", {120, 0, 9615, 375}, kTitle);
    AddText("lbl" + subject + "解説", "", {120, 360, 9615, 2175}, kWhiteText);
    for (int i = 0; i < 3; ++i) {
        AddText(QStringLiteral("Label%1").arg(i + 1), texts.lines[static_cast<std::size_t>(i)],
                {720, 960 + 480 * i, 8295, 375}, kWhiteText);
    }
    lblResult_ = AddText("lbl" + subject + "Result", texts.sampleResult, {120, 2880, 9615, 375}, kResultLine);
    AddCloseButton(3960, 3720);
    FillDialog();
    Place();
}

void FormulaExplanation::FillDialog() { lblResult_->setText(ToQString(result_(state_))); }

frm理想体重解説::frm理想体重解説(const modCommon& state, QWidget* owner)
    : FormulaExplanation({"理想体重",
                          {"理想体重とは、あなたの身長に対して、BMI(体型指数)の理想値「22」としたときの",
                           "体重です。この値が、健康を維持する上での目標値となります。",
                           "計算式は（身長[m]×身長[m]×22）で求められます。"},
                          "あなたの理想体重は60kgです。",
                          &IdealWeightResultSentence},
                         state, owner)
{
}

frm体脂肪量解説::frm体脂肪量解説(const modCommon& state, QWidget* owner)
    : FormulaExplanation({"体脂肪量",
                          {"体脂肪量とは、体脂肪率から求めた、あなたの体の中にどれだけの脂肪が", "あるかという量です。",
                           "計算式は（体重[kg]×体脂肪率[％]÷100）で求められます。"},
                          "あなたの体脂肪量は12kgです。",
                          &FatMassResultSentence},
                         state, owner)
{
}

}  // namespace tomira
