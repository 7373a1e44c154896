// The Windows input method through imm32, on the window's input context.
#include "state/InputMethod.h"

#include <windows.h>
#include <imm.h>

namespace tomira {

namespace {

class ImmInputMethod final : public InputMethod {
public:
    explicit ImmInputMethod(HWND window) : window_(window) {}

    void HiraganaOn() override { SetOpen(true); }
    void Off() override { SetOpen(false); }
    void Disable() override
    {
        // Detached and kept, so that the user's mode comes back with it.
        HIMC previous = ImmAssociateContext(window_, nullptr);
        if (previous != nullptr) {
            detached_ = previous;
        }
    }

private:
    void SetOpen(bool open)
    {
        if (detached_ != nullptr) {
            ImmAssociateContext(window_, detached_);
            detached_ = nullptr;
        }
        HIMC context = ImmGetContext(window_);
        if (context == nullptr) {
            return;  // no IME on this desktop
        }
        ImmSetOpenStatus(context, open ? TRUE : FALSE);
        if (open) {
            DWORD conversion = 0;
            DWORD sentence = 0;
            ImmGetConversionStatus(context, &conversion, &sentence);
            // Hiragana: native full-width, not Katakana; romaji input stays as the user has it.
            conversion = (conversion & ~IME_CMODE_KATAKANA) | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
            ImmSetConversionStatus(context, conversion, sentence);
        }
        ImmReleaseContext(window_, context);
    }

    HWND window_;
    HIMC detached_ = nullptr;
};

}  // namespace

std::unique_ptr<InputMethod> MakeImmInputMethod(void* window)
{
    return std::make_unique<ImmInputMethod>(static_cast<HWND>(window));
}

}  // namespace tomira
