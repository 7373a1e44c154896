#pragma once

#include "ui/MessageService.h"

class QWidget;

namespace tomira {

// Creates the About box, shows it modally over `owner` and returns when it
// has closed.
void ShowAboutWindow(QWidget* owner, MessageService& messages);

}  // namespace tomira
