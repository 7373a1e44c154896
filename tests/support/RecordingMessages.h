#pragma once
// A message service for tests: records every message instead of showing it.

#include <functional>
#include <string>
#include <vector>

#include "state/MessageService.h"

namespace tomira::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingMessages : public MessageService {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
        if (onShow) onShow(shown.back());
    }
    std::vector<ShownMessage> shown;
    // Runs while the "box" is open, for tests that act during a message.
    std::function<void(const ShownMessage&)> onShow;
};

}  // namespace tomira::testing
