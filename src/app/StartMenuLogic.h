#pragma once
// The main window's own logic: start-up, clearing the results, and the
// constitution the questionnaire left.

#include <cstdint>
#include <optional>
#include <string>

#include "state/modCommon.h"

namespace tomira {

class StartMenuLogic {
public:
    explicit StartMenuLogic(modCommon& state) : state_(state) {}

    // Start-up and the clear button: the result reset, and no results
    // shown until the next calculation. The clear button's caller also
    // empties the four result boxes.
    void ResetResults();

    // After the questionnaire: the text for the constitution box, or
    // nothing when no type was left (the box then keeps its text).
    std::optional<std::string> ConstitutionText() const;

    // Whether the calculation writes its result boxes (-1) or only the
    // common state (0).
    std::int16_t mShowResults = kFalse;

private:
    modCommon& state_;
};

}  // namespace tomira
