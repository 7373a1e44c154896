#pragma once
// The input method (IME) of a text field: each field asks for one mode when
// it gets the focus; the user may still switch the IME at any time.
// Plain C++: the implementations for the desktop's input-method framework
// are chosen at run time (DesktopInputMethod.h).

#include <memory>
#include <string_view>

namespace tomira {

enum class ImeMode {
    Hiragana,  // on, composing Hiragana (the name)
    Off,       // off: keys arrive as typed (the height)
    Disabled,  // no IME at all (the weight and body fat)
};

class InputMethod {
public:
    virtual ~InputMethod() = default;
    virtual void HiraganaOn() = 0;
    virtual void Off() = 0;
    virtual void Disable() = 0;
    // False where the IME cannot be turned off for one field alone.
    virtual bool CanTurnOff() const { return true; }

    void Apply(ImeMode mode)
    {
        switch (mode) {
        case ImeMode::Hiragana:
            HiraganaOn();
            break;
        case ImeMode::Off:
            Off();
            break;
        case ImeMode::Disabled:
            Disable();
            break;
        }
    }
};

// No IME found: nothing happens, nothing fails, nothing waits.
class NoInputMethod final : public InputMethod {
public:
    void HiraganaOn() override {}
    void Off() override {}
    void Disable() override {}
};

// The frameworks this program can switch, named as the Qt input-context
// module the program runs with (QT_IM_MODULE).
enum class ImeFramework { None, Fcitx5, IBus };
ImeFramework FrameworkOfModule(std::string_view moduleName);

#ifdef _WIN32
// The input context of a native window (HWND) through imm32: Hiragana opens
// it in native full-width conversion, Off closes it, Disable detaches it
// from the window until the next Hiragana or Off.
std::unique_ptr<InputMethod> MakeImmInputMethod(void* window);
#endif

}  // namespace tomira
