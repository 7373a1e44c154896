#include "state/WindowSystem.h"

namespace tomira {

std::string PreferredPlatforms(std::string_view userChoice, std::string_view xDisplay, std::string_view waylandDisplay)
{
    // Under XWayland the desktop draws the title bars as for its other
    // programs, keeps a dialog above its owner and lets the program centre
    // its windows; natively, GNOME leaves the title bars to Qt and a
    // compositor may stack a dialog under its owner.
    if (userChoice.empty() && !xDisplay.empty() && !waylandDisplay.empty()) {
        return "xcb;wayland";
    }
    return {};
}

std::string PreferredWindowsPlatform(std::string_view userChoice)
{
    // In dark mode Qt draws dark title bars, over windows that keep their
    // light colours in every mode; Windows' light ones match them.
    if (userChoice.empty()) {
        return "windows:darkmode=0";
    }
    return {};
}

}  // namespace tomira
