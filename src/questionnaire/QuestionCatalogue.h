#pragma once
// The constitution self-test's fixed data: sixty statements in three blocks
// of twenty (Vata, Pitta, Kapha), the words for each dosha, and the
// six-step answer scale that every answer box offers.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tomira {

enum class Dosha { Vata, Pitta, Kapha };

inline constexpr int kStatementCount = 60;
inline constexpr int kRowsPerPage = 20;

// Page offsets (gPageOffset): where a page's answers start in gAnswer. The
// done state after the last page has no statements.
inline constexpr std::int16_t kVataPage = 0;
inline constexpr std::int16_t kPittaPage = 20;
inline constexpr std::int16_t kKaphaPage = 40;
inline constexpr std::int16_t kDonePage = 99;

// How a dosha is written on screen.
struct DoshaWords {
    std::string_view runningCaption;  // score label of the questionnaire, half-width: "ｳﾞｧｰﾀ:"
    std::string_view reportLabel;     // score item of the result report: "ヴァータ：", "  ピッタ："
    std::string_view typeName;        // name in a constitution type: "ヴァータ"
};
const DoshaWords& WordsOf(Dosha dosha);

// The dosha whose block a page shows; none for the done state or any other offset.
std::optional<Dosha> DoshaOfPage(std::int16_t pageOffset);

// Statement n, 1 to 60. Each text begins with one ASCII blank; all but
// statement 26 end with "。". Throws std::out_of_range for other numbers.
std::string_view StatementText(int number);

using PageTexts = std::array<std::string, kRowsPerPage>;
// The twenty statement texts of a page, row 0 first: for 0, 20 and 40 the
// statements offset + 1 to offset + 20; for the done state twenty empty
// texts; nothing for any other offset.
std::optional<PageTexts> PageStatementTexts(std::int16_t pageOffset);

// The six entries of every answer box, in list order.
inline constexpr int kScaleEntryCount = 6;
const std::array<std::string_view, kScaleEntryCount>& AnswerScale();

// The value of an answer: the number spelled by the first character of the
// chosen entry's text ("6:非常によく あてはまる" is 6). Throws
// std::invalid_argument when the text does not begin with a digit, which
// no entry of the scale does; an empty text is a missing answer, not 0.
std::int16_t AnswerValue(std::string_view entryText);

}  // namespace tomira
