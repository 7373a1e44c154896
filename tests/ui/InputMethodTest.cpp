// The framework chosen for Qt's input-context module, and on Windows the
// imm32 modes read back from a real window's input context.
#include <gtest/gtest.h>

#include "ui/InputMethod.h"

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
    for (const auto& [module, framework] : cases) {
        EXPECT_EQ(FrameworkOfModule(module), framework) << module;
    }
}

#ifdef _WIN32
TEST(ImmInputMethod, SetsTheWindowsInputContext)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const auto ime = MakeImmInputMethod(window);
    const auto read = [window](DWORD& conversion) {
        HIMC context = ImmGetContext(window);
        if (context == nullptr) {
            return -1;
        }
        DWORD sentence = 0;
        ImmGetConversionStatus(context, &conversion, &sentence);
        const int open = ImmGetOpenStatus(context) ? 1 : 0;
        ImmReleaseContext(window, context);
        return open;
    };
    DWORD conversion = 0;
    ime->Apply(ImeMode::Hiragana);
    EXPECT_EQ(read(conversion), 1);
    EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_KATAKANA),
              DWORD(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE));
    ime->Apply(ImeMode::Disabled);
    EXPECT_EQ(read(conversion), -1);  // no context: nothing to compose with
    ime->Apply(ImeMode::Off);
    EXPECT_EQ(read(conversion), 0);
    ime->Apply(ImeMode::Hiragana);
    EXPECT_EQ(read(conversion), 1);
    DestroyWindow(window);
}
#endif

}  // namespace
}  // namespace tomira
