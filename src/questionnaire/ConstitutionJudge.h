#pragma once
// Typing of the constitution from the three dosha scores, and the text of
// the result report.

#include <cstdint>
#include <string>

#include "state/modCommon.h"

namespace tomira {

struct Judgement {
    std::int16_t total = 0;     // vata + pitta + kapha
    std::int16_t average = 0;   // total / 3, rounded to the nearest integer
    bool vataDominant = false;  // score >= average
    bool pittaDominant = false;
    bool kaphaDominant = false;
    std::string constitution;  // type name, without "型"
    std::string sumCaption;    // "合計:195"
    std::string avgCaption;    // "平均:65"
    std::string report;        // three lines joined by CR LF
};

// The type name from the dominant doshas. Of two, the higher score comes
// first; ties go Vata before Pitta, Pitta before Kapha, Kapha before Vata.
std::string ConstitutionTypeName(bool vataDominant, bool pittaDominant, bool kaphaDominant, std::int16_t vata,
                                 std::int16_t pitta, std::int16_t kapha);

// Everything the result step computes from three scores.
Judgement JudgeScores(std::int16_t vata, std::int16_t pitta, std::int16_t kapha);

// Judges the scores of the common state and leaves gTotal, gAverage and
// gConstitution there. The caller shows the captions and the report.
Judgement JudgeConstitution(modCommon& state);

}  // namespace tomira
