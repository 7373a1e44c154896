#pragma once
// Units and colours of the window tables: twips and Windows colour values.

#include <cstdint>

namespace tomira {

// 15 twips make one logical pixel (96 dpi); Qt's high-DPI scaling maps
// logical pixels to the screen.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    // Round half away from zero, so 7 twips and -7 twips stay symmetric.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

struct PixelRect {
    int x, y, width, height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelRect TwipsToPixels(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// Windows colour values are &H00BBGGRR; &H80000000 and up name a system
// colour by its index in the low byte.
inline constexpr std::uint32_t kSysButtonFace = 0x8000000F;
inline constexpr std::uint32_t kSysHighlightText = 0x8000000E;

struct Rgb {
    std::uint8_t red, green, blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr bool IsSystemColour(std::uint32_t value) { return (value & 0x80000000u) != 0; }

// The red, green and blue parts of a plain (not system) colour value.
constexpr Rgb FromColourValue(std::uint32_t bbggrr)
{
    return {static_cast<std::uint8_t>(bbggrr & 0xFF), static_cast<std::uint8_t>((bbggrr >> 8) & 0xFF),
            static_cast<std::uint8_t>((bbggrr >> 16) & 0xFF)};
}

}  // namespace tomira
