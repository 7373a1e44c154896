// Placeholder until the questionnaire window is built: it closes at once.
#include "questionnaire/QuestionnaireWindow.h"

namespace tomira {

void RunQuestionnaireWindow(QWidget*, modCommon& state, MessageService&) { state.gQuestionActive = 0; }

}  // namespace tomira
