#pragma once

#include "state/modCommon.h"
#include "ui/MessageService.h"

class QWidget;

namespace tomira {

// Creates the questionnaire window, shows it modally over `owner` and
// returns when it has closed (it sets gQuestionActive to 0 as it closes).
void RunQuestionnaireWindow(QWidget* owner, modCommon& state, MessageService& messages);

}  // namespace tomira
