#pragma once
// The program's message boxes, shown with QMessageBox.

#include <string>

#include "state/MessageService.h"

namespace tomira {

// Message boxes through QMessageBox, modal over the active window.
class QtMessageService : public MessageService {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
};

}  // namespace tomira
