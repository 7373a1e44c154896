#include "questionnaire/ConstitutionJudge.h"

#include <cmath>

#include "questionnaire/QuestionCatalogue.h"

namespace tomira {

namespace {

std::string Name(Dosha dosha) { return std::string(WordsOf(dosha).typeName); }

std::string Pair(Dosha first, Dosha second) { return Name(first) + "・" + Name(second); }

}  // namespace

std::string ConstitutionTypeName(bool vataDominant, bool pittaDominant, bool kaphaDominant, std::int16_t vata,
                                 std::int16_t pitta, std::int16_t kapha)
{
    const int count = int{vataDominant} + int{pittaDominant} + int{kaphaDominant};
    if (count == 3) {
        return "３ドーシャ";
    }
    if (count == 0) {
        return "不明";
    }
    if (count == 1) {
        return Name(vataDominant ? Dosha::Vata : pittaDominant ? Dosha::Pitta : Dosha::Kapha);
    }
    if (!kaphaDominant) {
        return vata < pitta ? Pair(Dosha::Pitta, Dosha::Vata) : Pair(Dosha::Vata, Dosha::Pitta);
    }
    if (!vataDominant) {
        return pitta < kapha ? Pair(Dosha::Kapha, Dosha::Pitta) : Pair(Dosha::Pitta, Dosha::Kapha);
    }
    // Vata and Kapha: on a tie Kapha comes first.
    return kapha < vata ? Pair(Dosha::Vata, Dosha::Kapha) : Pair(Dosha::Kapha, Dosha::Vata);
}

Judgement JudgeScores(std::int16_t vata, std::int16_t pitta, std::int16_t kapha)
{
    Judgement j;
    j.total = static_cast<std::int16_t>(vata + pitta + kapha);
    // A third of an integer is never halfway between two integers.
    j.average = static_cast<std::int16_t>(std::lround(j.total / 3.0));
    j.vataDominant = vata >= j.average;
    j.pittaDominant = pitta >= j.average;
    j.kaphaDominant = kapha >= j.average;
    j.constitution = ConstitutionTypeName(j.vataDominant, j.pittaDominant, j.kaphaDominant, vata, pitta, kapha);
    j.sumCaption = "合計:" + std::to_string(j.total);
    j.avgCaption = "平均:" + std::to_string(j.average);

    const auto item = [](Dosha dosha, std::int16_t score) {
        return std::string(WordsOf(dosha).reportLabel) + std::to_string(score);
    };
    j.report = "アユルヴェーダによるあなたの体質は「" + j.constitution + "型」です。\r\n" + item(Dosha::Vata, vata) +
               item(Dosha::Pitta, pitta) + item(Dosha::Kapha, kapha) + "\r\n" + "合計：" + std::to_string(j.total) +
               "  平均：" + std::to_string(j.average);
    return j;
}

Judgement JudgeConstitution(modCommon& state)
{
    Judgement j = JudgeScores(state.gVata, state.gPitta, state.gKapha);
    state.gTotal = j.total;
    state.gAverage = j.average;
    state.gConstitution = j.constitution;
    return j;
}

}  // namespace tomira
