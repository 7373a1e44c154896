#pragma once
// What the three explanation dialogs show: the BMI explanation, the colour
// of the BMI result line, and the result sentence of each dialog, from the
// body metrics of the common state.

#include <cstdint>
#include <string>

#include "state/Colours.h"
#include "state/modCommon.h"

namespace tomira {

// The ten lines of the BMI explanation, joined by CR LF.
std::string BMIExplanationText();

// Background of the BMI result line: the colour of the table row of the
// body type, light red for any other text.
std::uint32_t BMIResultColour(const std::string& bodyType);

// Whether a BMI is known: gBMI rounds to a whole number other than 0. A
// BMI too large for a 16-bit number counts as known; one that is not a
// finite number does not.
bool IsBMIPresent(double bmi);

// The result sentences: the user's value, or "不明" when no BMI is known.
std::string BMIResultSentence(const modCommon& state);
std::string IdealWeightResultSentence(const modCommon& state);
std::string FatMassResultSentence(const modCommon& state);

}  // namespace tomira
