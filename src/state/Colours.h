#pragma once
// The colours of the windows, as Windows colour values &H00BBGGRR.

#include <cstdint>

namespace tomira {

inline constexpr std::uint32_t kBlack = 0x00000000;
inline constexpr std::uint32_t kGrey = 0x00808080;
inline constexpr std::uint32_t kLightGrey = 0x00E0E0E0;
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kLightBlue = 0x00FFC0C0;
inline constexpr std::uint32_t kLightCyan = 0x00FFFFC0;
inline constexpr std::uint32_t kLightGreen = 0x00C0FFC0;
inline constexpr std::uint32_t kLightMagenta = 0x00FFC0FF;
inline constexpr std::uint32_t kLightRed = 0x00C0C0FF;
inline constexpr std::uint32_t kLightOrange = 0x0080C0FF;
inline constexpr std::uint32_t kLightYellow = 0x0080FFFF;
inline constexpr std::uint32_t kBrightGreen = 0x0080FF80;

}  // namespace tomira
