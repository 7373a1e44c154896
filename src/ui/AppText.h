#pragma once
// Texts that several windows show.

namespace tomira {

// The title of the running program, used for windows and message boxes.
inline constexpr const char* kApplicationTitle = "TOMIRA";
inline constexpr const char* kVersionText = "Version 2.02";
// The maker's notice of the header lines.
inline constexpr const char* kMakerNotice = "Copyright (C) 2026 TOMIRA 開発チーム";

}  // namespace tomira
