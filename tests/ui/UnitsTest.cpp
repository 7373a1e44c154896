#include <gtest/gtest.h>

#include "ui/Units.h"

namespace tomira {
namespace {

TEST(Twips, FifteenMakeOnePixel)
{
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(TwipsToPixels(15), 1);
    EXPECT_EQ(TwipsToPixels(8160), 544);
    EXPECT_EQ(TwipsToPixels(7905), 527);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);      // 8 twips are more than half a pixel
    EXPECT_EQ(TwipsToPixels(8175), 545);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    EXPECT_EQ(TwipsToPixels(2400, 1200, 5175, 375), (PixelRect{160, 80, 345, 25}));
}

TEST(Colours, BlueIsInTheHighByte)
{
    EXPECT_EQ(FromColourValue(0x00FFC0C0), (Rgb{0xC0, 0xC0, 0xFF}));  // light blue label
    EXPECT_EQ(FromColourValue(0x0080C0FF), (Rgb{0xFF, 0xC0, 0x80}));  // orange label
    EXPECT_EQ(FromColourValue(0x00C0C0FF), (Rgb{0xFF, 0xC0, 0xC0}));  // light red
    EXPECT_TRUE(IsSystemColour(kSysButtonFace));
    EXPECT_TRUE(IsSystemColour(kSysHighlightText));
    EXPECT_FALSE(IsSystemColour(0x00FFFFFF));
}

}  // namespace
}  // namespace tomira
