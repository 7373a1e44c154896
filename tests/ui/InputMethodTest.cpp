// The framework chosen for Qt's input-context module, the platform chosen for a Linux session, and on Windows the imm32
// modes read back from a real window's input context.
#include <gtest/gtest.h>

#include "state/InputMethod.h"
#include "state/WindowSystem.h"

#ifdef _WIN32
#include <windows.h>
#include <imm.h>
#endif

namespace tomira {
namespace {

TEST(InputMethodFramework, FollowsQtsInputContextModule)
{
    const std::pair<const char*, ImeFramework> cases[] = {
        {"fcitx", ImeFramework::Fcitx5}, {"fcitx5", ImeFramework::Fcitx5}, {"ibus", ImeFramework::IBus},
        {"", ImeFramework::None},        {"compose", ImeFramework::None},  {"xim", ImeFramework::None},
    };
    for (const auto& [module, framework] : cases) EXPECT_EQ(FrameworkOfModule(module), framework) << module;
}

TEST(WindowSystem, XWaylandFirstInAWaylandSessionLightTitleBarsOnWindowsUnlessTheUserChose)
{
    EXPECT_EQ(PreferredWindowsPlatform(""), "windows:darkmode=0");
    EXPECT_EQ(PreferredWindowsPlatform("windows:fontengine=freetype"), "");
    EXPECT_EQ(PreferredPlatforms("", ":0", "wayland-0"), "xcb;wayland");
    EXPECT_EQ(PreferredPlatforms("", "", "wayland-0"), "");  // no XWayland: Qt takes Wayland
    EXPECT_EQ(PreferredPlatforms("", ":0", ""), "");         // X11 alone
    EXPECT_EQ(PreferredPlatforms("wayland", ":0", "wayland-0"), "");
}

#ifdef _WIN32
// Disable detaches the window's input context and the other modes bring the same one back; where an IME runs (not under
// Wine without a display), the context reads back open in Hiragana or closed.
TEST(ImmInputMethod, SetsTheWindowsInputContext)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const auto attached = [window] {
        HIMC context = ImmAssociateContext(window, nullptr);
        ImmAssociateContext(window, context);
        return context;
    };
    const HIMC original = attached();
    ASSERT_NE(original, nullptr);
    const auto ime = MakeImmInputMethod(window);
    struct Case {
        ImeMode mode;
        bool attached;
        int open;
    };
    for (const Case c :
         {Case{ImeMode::Hiragana, true, 1}, Case{ImeMode::Disabled, false, -1}, Case{ImeMode::Off, true, 0},
          Case{ImeMode::Disabled, false, -1}, Case{ImeMode::Hiragana, true, 1}}) {
        ime->Apply(c.mode);
        EXPECT_EQ(attached(), c.attached ? original : nullptr) << int(c.mode);
        if (HIMC context = ImmGetContext(window)) {
            DWORD conversion = 0, sentence = 0;
            ImmGetConversionStatus(context, &conversion, &sentence);
            EXPECT_EQ(ImmGetOpenStatus(context) ? 1 : 0, c.open) << int(c.mode);
            if (c.open == 1) {
                EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_KATAKANA),
                          DWORD(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE));
            }
            ImmReleaseContext(window, context);
        }
    }
    DestroyWindow(window);
}
#endif

}  // namespace
}  // namespace tomira
