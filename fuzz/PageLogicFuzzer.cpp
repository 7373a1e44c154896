// The questionnaire's pages fed arbitrary answers: each box empty or one
// entry of the answer scale, the next-question button pressed any number of
// times, the result asked for, the window reset and opened again. After
// every step the page offset is one of the four pages, and each dosha's
// score is the sum of the twenty answers of that page's last accepted
// attempt, between 20 and 120.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "questionnaire/ConstitutionJudge.h"
#include "questionnaire/QuestionnaireLogic.h"

using namespace tomira;

namespace {

bool IsPageOffset(std::int16_t offset)
{
    return offset == kVataPage || offset == kPittaPage || offset == kKaphaPage || offset == kDonePage;
}

std::int16_t& ScoreOf(modCommon& state, Dosha dosha)
{
    switch (dosha) {
    case Dosha::Vata:
        return state.gVata;
    case Dosha::Pitta:
        return state.gPitta;
    case Dosha::Kapha:
        break;
    }
    return state.gKapha;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    modCommon state;
    QuestionnaireLogic logic(state);
    logic.InitQuestionnaire();
    // The score each dosha must hold: untouched (0) until its page is accepted.
    std::array<std::optional<int>, 3> expected{};

    for (int step = 0; step < 128 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange(0, 7)) {
        default: {  // cmd次の質問 with the boxes as they are
            const std::int16_t offset = state.gPageOffset;
            const std::optional<Dosha> dosha = DoshaOfPage(offset);
            // Most boxes answered, so that whole pages are common.
            const int emptyChance = input.ConsumeIntegralInRange(0, 40);
            PageAnswers boxes;
            std::array<int, kRowsPerPage> values{};
            int firstEmpty = 0;
            int sum = 0;
            for (int k = 0; k < kRowsPerPage; ++k) {
                if (input.ConsumeIntegralInRange(0, 40) < emptyChance / 8) {
                    if (firstEmpty == 0) {
                        firstEmpty = k + 1;
                    }
                    continue;
                }
                const int entry = input.ConsumeIntegralInRange(0, kScaleEntryCount - 1);
                boxes[static_cast<std::size_t>(k)] = std::string(AnswerScale()[static_cast<std::size_t>(entry)]);
                values[static_cast<std::size_t>(k)] = entry + 1;
                sum += entry + 1;
            }
            const PageOutcome outcome = logic.AcceptPage(boxes);
            if (!dosha) {
                FUZZ_CHECK(outcome.result == PageResult::NotAPage);
                FUZZ_CHECK(state.gPageOffset == offset);
            } else if (firstEmpty != 0) {
                FUZZ_CHECK(outcome.result == PageResult::Refused);
                FUZZ_CHECK(outcome.missingRow == firstEmpty);
                FUZZ_CHECK(outcome.message == MissingAnswerText(firstEmpty));
                FUZZ_CHECK(state.gPageOffset == offset);
            } else {
                FUZZ_CHECK(outcome.result == PageResult::Accepted);
                expected[static_cast<std::size_t>(*dosha)] = sum;
                for (int k = 0; k < kRowsPerPage; ++k) {
                    FUZZ_CHECK(state.gAnswer[static_cast<std::size_t>(offset + k)] ==
                               values[static_cast<std::size_t>(k)]);
                }
                const std::int16_t next = offset == kVataPage    ? kPittaPage
                                          : offset == kPittaPage ? kKaphaPage
                                                                 : kDonePage;
                FUZZ_CHECK(state.gPageOffset == next);
                FUZZ_CHECK(logic.ResultEnabled() == (next == kDonePage));
                FUZZ_CHECK(logic.NextEnabled() == (next != kDonePage));
            }
            break;
        }
        case 0:  // cmd結果表示, as the window offers it after the last page
            if (!logic.ResultEnabled()) {
                break;
            }
            [[fallthrough]];
        case 1: {  // the judgement at any moment
            const Judgement j = logic.JudgeConstitution();
            FUZZ_CHECK(j.total == state.gVata + state.gPitta + state.gKapha);
            FUZZ_CHECK(state.gTotal == j.total && state.gAverage == j.average);
            FUZZ_CHECK(state.gConstitution == j.constitution && !j.constitution.empty());
            FUZZ_CHECK(logic.Captions().sum == j.sumCaption && logic.Captions().avg == j.avgCaption);
            if (input.ConsumeBool()) {
                logic.ResetAfterResult();
                FUZZ_CHECK(state.gPageOffset == kVataPage);
            }
            break;
        }
        case 2:  // the window closes and is opened again
            logic.Close();
            FUZZ_CHECK(state.gQuestionActive == kFalse);
            logic.InitQuestionnaire();
            FUZZ_CHECK(state.gPageOffset == kVataPage);
            break;
        }

        FUZZ_CHECK(IsPageOffset(state.gPageOffset));
        FUZZ_CHECK(logic.PageStatements().has_value());
        for (const Dosha dosha : {Dosha::Vata, Dosha::Pitta, Dosha::Kapha}) {
            const int score = ScoreOf(state, dosha);
            const std::optional<int>& want = expected[static_cast<std::size_t>(dosha)];
            FUZZ_CHECK(score == want.value_or(0));
            if (want) {
                FUZZ_CHECK(score >= 20 && score <= 120);
            }
        }
    }
    return 0;
}
