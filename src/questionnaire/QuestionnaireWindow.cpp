#include "questionnaire/QuestionnaireWindow.h"

#include "questionnaire/frmQuestion.h"
#include "ui/UiServices.h"

namespace tomira {

void RunQuestionnaireWindow(QWidget* owner, modCommon& state, MessageService& messages)
{
    // Loaded anew for every run, so each questionnaire starts fresh.
    frmQuestion window(state, messages, owner);
    ShowModal(window);
}

}  // namespace tomira
