#pragma once
// The common state: everything the windows of TOMIRA share, in one object
// that is handed to each window. Nothing here is saved; it lives as long as
// the program runs.

#include <array>
#include <cstdint>
#include <string>

namespace tomira {

// 16-bit flags: -1 for true, 0 for false.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct modCommon {
    // Which questionnaire page is shown: 0 Vata, 20 Pitta, 40 Kapha, 99 done.
    std::int16_t gPageOffset = 0;
    // Ratings 1 to 6; row r of the page with offset p is stored at p + r.
    std::array<std::int16_t, 101> gAnswer{};
    std::int16_t gVata = 0;
    std::int16_t gPitta = 0;
    std::int16_t gKapha = 0;
    std::int16_t gTotal = 0;
    std::int16_t gAverage = 0;
    std::string gConstitution{};  // type name without the suffix "型"
    double gBMI = 0.0;            // 0: no BMI computed
    std::string gBodyType{};      // "やせ型", "普通型", "肥満型" or empty
    double gIdealWeight = 0.0;
    double gFatMass = 0.0;
    // -1 while the main window waits for the questionnaire, 0 otherwise.
    std::int16_t gQuestionActive = 0;

    // How the main window and the questionnaire meet: the flag is up while
    // the questionnaire window is open and down once it has closed,
    // whichever way (RunQuestionnaireWindow does both); the result reset
    // lowers it too.
    void QuestionnaireOpening() { gQuestionActive = kTrue; }
    void QuestionnaireClosed() { gQuestionActive = kFalse; }

    // The result reset (start-up and the clear button): the handshake flag
    // and the body metrics go to 0, the type names to empty. Page, answers
    // and scores are left as they are.
    void ResetResults();
};

}  // namespace tomira
