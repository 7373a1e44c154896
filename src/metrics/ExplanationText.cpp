#include "metrics/ExplanationText.h"

#include <cmath>
#include <iterator>

#include "state/DisplayFormat.h"
#include "state/modConvert.h"

namespace tomira {

std::string BMIExplanationText()
{
    static constexpr const char* kLines[] = {
        "　BMIとはBody Mass Indexのことで、体型を診断するのに使われる指数です。",
        "",
        "　計算式は（体重[kg]÷身長[m]÷身長[m]）です。",
        "",
        "　理想値は22で、一番疾病率が低いとされます。",
        "",
        "　BMIは、体脂肪率とセットで総合的に判断するためのものです。",
        "　BMIが高めでも体脂肪率が低ければ問題ないそうです。また、BMIが良くても",
        "　体脂肪率が高い人は食生活の見直しと運動が必要とのこと。",
        "　両方が悪い人は、食事療法と運動療法が必要だそうです。",
    };
    std::string text = kLines[0];
    for (std::size_t i = 1; i < std::size(kLines); ++i) {
        text += "\r\n";
        text += kLines[i];
    }
    return text;
}

std::uint32_t BMIResultColour(const std::string& bodyType)
{
    if (bodyType == "やせ型") {
        return kLightCyan;
    }
    if (bodyType == "普通型") {
        return kLightGreen;
    }
    if (bodyType == "肥満型") {
        return kLightMagenta;
    }
    return kLightRed;
}

bool IsBMIPresent(double bmi)
{
    if (!std::isfinite(bmi)) {
        return false;
    }
    // Beyond 16 bits (a fault) it is certainly not 0.
    const Converted<std::int16_t> rounded = TryToIntSafe(Variant(bmi));
    return rounded.fault || rounded.value != 0;
}

namespace {

// A value in the display pattern, or nothing when it cannot be shown.
bool Shown(double value, std::string& out)
{
    if (!std::isfinite(value)) {
        return false;
    }
    out = FormatDisplay(value);
    return true;
}

}  // namespace

std::string BMIResultSentence(const modCommon& state)
{
    std::string value;
    if (IsBMIPresent(state.gBMI) && Shown(state.gBMI, value)) {
        return "あなたのBMIは「" + value + "：" + state.gBodyType + "」です。";
    }
    return "あなたのBMIは「不明」です。";
}

std::string IdealWeightResultSentence(const modCommon& state)
{
    std::string value;
    if (IsBMIPresent(state.gBMI) && Shown(state.gIdealWeight, value)) {
        return "あなたの理想体重は「" + value + "kg」です。";
    }
    return "あなたの理想体重は「不明」です。";
}

std::string FatMassResultSentence(const modCommon& state)
{
    std::string value;
    if (IsBMIPresent(state.gBMI) && Shown(state.gFatMass, value)) {
        return "あなたの体脂肪量は「" + value + "kg」です。";
    }
    return "あなたの体脂肪量は「不明」です。";
}

}  // namespace tomira
