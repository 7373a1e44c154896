#pragma once
// Which of Qt's window-system platforms the program runs on, and with
// which of its options. Plain C++.

#include <string>
#include <string_view>

namespace tomira {

// The platform list for Qt (as QT_QPA_PLATFORM takes it), from the
// session's QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY: in a Wayland
// session that also runs XWayland, X11 first and Wayland where X11 cannot
// be reached; empty where the user chose a platform, or the session has
// only one, so that Qt's own choice stands.
std::string PreferredPlatforms(std::string_view userChoice, std::string_view xDisplay, std::string_view waylandDisplay);
// The same on Windows: Qt's windows platform with light title bars in
// Windows' dark mode; empty where the user chose (QT_QPA_PLATFORM).
std::string PreferredWindowsPlatform(std::string_view userChoice);

}  // namespace tomira
