#pragma once
// Every message the program shows goes through this service: a modal box
// with a text (lines separated by CR LF), a title, an OK button and either
// no icon or the exclamation icon. Tests replace it to see each message.

#include <string>

namespace tomira {

enum class MessageIcon { None, Exclamation };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Returns when the user has closed the box.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

}  // namespace tomira
