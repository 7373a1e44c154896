#include "questionnaire/QuestionnaireLogic.h"

#include "state/AppText.h"

namespace tomira {

std::string QuestionnaireTitle() { return std::string(kApplicationTitle) + " " + kVersionText; }

std::string MissingAnswerText(int row) { return std::to_string(row) + "番目のデータが未入力です。"; }

ScoreCaptions FixedScoreCaptions()
{
    return {std::string(WordsOf(Dosha::Vata).runningCaption), std::string(WordsOf(Dosha::Pitta).runningCaption),
            std::string(WordsOf(Dosha::Kapha).runningCaption), "合計:", "平均:"};
}

void QuestionnaireLogic::InitQuestionnaire()
{
    state_.gPageOffset = kVataPage;
    state_.gAnswer.fill(0);
    nextEnabled_ = true;
    resultEnabled_ = false;
    captions_ = FixedScoreCaptions();
}

PageOutcome QuestionnaireLogic::AcceptPage(const PageAnswers& boxTexts)
{
    const std::int16_t offset = state_.gPageOffset;
    const std::optional<Dosha> dosha = DoshaOfPage(offset);
    if (!dosha) {
        return {};
    }

    int sum = 0;
    for (int k = 0; k < kRowsPerPage; ++k) {
        const std::string& text = boxTexts[static_cast<std::size_t>(k)];
        if (text.empty()) {
            return {PageResult::Refused, k + 1, MissingAnswerText(k + 1)};
        }
        const std::int16_t value = AnswerValue(text);
        state_.gAnswer[static_cast<std::size_t>(offset + k)] = value;
        sum += value;
    }

    const auto score = static_cast<std::int16_t>(sum);
    const std::string caption = std::string(WordsOf(*dosha).runningCaption) + std::to_string(score);
    switch (*dosha) {
    case Dosha::Vata:
        state_.gVata = score;
        captions_.vata = caption;
        state_.gPageOffset = kPittaPage;
        break;
    case Dosha::Pitta:
        state_.gPitta = score;
        captions_.pitta = caption;
        state_.gPageOffset = kKaphaPage;
        break;
    case Dosha::Kapha:
        state_.gKapha = score;
        captions_.kapha = caption;
        state_.gPageOffset = kDonePage;
        nextEnabled_ = false;
        resultEnabled_ = true;
        break;
    }
    return {PageResult::Accepted, 0, {}};
}

Judgement QuestionnaireLogic::JudgeConstitution()
{
    Judgement j = tomira::JudgeConstitution(state_);
    captions_.sum = j.sumCaption;
    captions_.avg = j.avgCaption;
    return j;
}

void QuestionnaireLogic::ResetAfterResult()
{
    resultEnabled_ = false;
    nextEnabled_ = true;
    state_.gPageOffset = kVataPage;
    captions_ = FixedScoreCaptions();
}

}  // namespace tomira
