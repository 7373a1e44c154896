#pragma once
// The questionnaire window's logic: three pages of twenty answers, each
// page accepted only when complete, then the result. It works on the common
// state; the window shows what it says and binds the controls to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "questionnaire/ConstitutionJudge.h"
#include "questionnaire/QuestionCatalogue.h"
#include "state/modCommon.h"

namespace tomira {

// The fixed text of the questionnaire's status bar.
inline constexpr const char* kQuestionStatusText =
    "上の質問に答え、「次の質問」ボタンを押してください。全部答え終わったら、「結果表示」ボタンを押してください。";

// The window's title line: the program's title and version line.
std::string QuestionnaireTitle();

// The text of the missing-answer box for a row numbered 1 to 20.
std::string MissingAnswerText(int row);

// Captions of the five score labels VATA, PITA, KAPA, SUM and AVG.
struct ScoreCaptions {
    std::string vata, pitta, kapha, sum, avg;
    friend bool operator==(const ScoreCaptions&, const ScoreCaptions&) = default;
};
ScoreCaptions FixedScoreCaptions();

// The texts of the twenty answer boxes, row 0 first; empty for no answer.
using PageAnswers = std::array<std::string, kRowsPerPage>;

enum class PageResult {
    Refused,   // a row has no answer; the page stays as it is
    Accepted,  // answers stored, score set, next page shown
    NotAPage,  // no statements to accept (after the last page)
};

struct PageOutcome {
    PageResult result = PageResult::NotAPage;
    int missingRow = 0;   // the first empty row, 1 to 20, when refused
    std::string message;  // the missing-answer text, when refused
};

class QuestionnaireLogic {
public:
    explicit QuestionnaireLogic(modCommon& state) : state_(state) {}

    // Opening: the Vata page, gAnswer cleared, the result button off and
    // the fixed score captions. The scores themselves are not touched.
    void InitQuestionnaire();

    // The statements the rows show for the current page (twenty empty texts
    // after the last page); nothing to change for an unknown page.
    std::optional<PageTexts> PageStatements() const { return PageStatementTexts(state_.gPageOffset); }

    // The next-question button. Stores the answers of rows before the first
    // empty one in any case; with all twenty it sets the page's score and
    // caption and moves on to the next page.
    PageOutcome AcceptPage(const PageAnswers& boxTexts);

    // The result button, first part: judges the scores into the common
    // state and puts the total and average on SUM and AVG.
    Judgement JudgeConstitution();
    // The result button, after the report: back to the first page with the
    // fixed captions, next-question on and result off.
    void ResetAfterResult();

    bool NextEnabled() const { return nextEnabled_; }
    bool ResultEnabled() const { return resultEnabled_; }
    const ScoreCaptions& Captions() const { return captions_; }
    std::int16_t PageOffset() const { return state_.gPageOffset; }

private:
    modCommon& state_;
    bool nextEnabled_ = true;
    bool resultEnabled_ = false;
    ScoreCaptions captions_ = FixedScoreCaptions();
};

}  // namespace tomira
