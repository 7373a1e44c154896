#pragma once
// The main window's own logic: start-up, clearing the results, and the
// main window's side of the questionnaire handshake.

#include <cstdint>
#include <optional>
#include <string>

#include "state/modCommon.h"

namespace tomira {

class StartMenuLogic {
public:
    explicit StartMenuLogic(modCommon& state) : state_(state) {}

    // Start-up: no results shown yet, and the result reset.
    void InitMainWindow();
    // The clear button: the result reset and no results shown. The caller
    // empties the four result boxes.
    void ClearResults();

    // Before the questionnaire opens: the main window waits from now on.
    void BeginQuestionnaire();
    // True while the questionnaire has not yet said that it closed.
    bool WaitingForQuestionnaire() const { return state_.QuestionnaireOpen(); }
    // After the questionnaire: the text for the constitution box, or
    // nothing when no type was left (the box then keeps its text).
    std::optional<std::string> ConstitutionText() const;

    // Whether the calculation writes its result boxes (-1) or only the
    // common state (0).
    std::int16_t mShowResults = kFalse;

    modCommon& state() { return state_; }

private:
    modCommon& state_;
};

}  // namespace tomira
