#pragma once
// Texts the program shows in several places.

#include "state/Version.h"

namespace tomira {

// The title of the running program, used for windows and message boxes.
inline constexpr const char* kApplicationTitle = "TOMIRA";
inline constexpr const char* kVersionText = "Version " TOMIRA_VERSION;
// The maker's notice of the header lines.
inline constexpr const char* kMakerNotice = "Copyright (C) 2026 TOMIRA 開発チーム";
// The title of the messages that ask the user to check an entry or that
// report a result.
inline constexpr const char* kConfirmTitle = "確認";

}  // namespace tomira
