#pragma once
// The input method of the desktop this program runs on: the back-end that
// turns a field's mode into calls on the desktop's input-method framework.
//
// - fcitx5: its controller, over D-Bus, turns the input method on (Mozc,
//   which starts in Hiragana) or off for the input context of the window
//   that has the focus.
// - ibus: nothing is switched. ibus changes engines for the whole desktop
//   only, Mozc's mode on ibus is one for every program, and ibus-daemon
//   takes calls on an input context only from the connection that made it
//   (Qt's own), so any switch would change the user's other programs too.
//   The back-end says it cannot turn the IME off; FieldInputMethods then
//   keeps the IME away from the height field instead.
// - Windows: imm32 (ImmInputMethod.cpp).
// - anything else: no input method, nothing switched.

#include <memory>

#include "state/InputMethod.h"

class QWidget;

namespace tomira {

// Chosen by the platform and the input-context module Qt runs with
// (QT_IM_MODULE). Nothing here talks to the framework before a mode is
// first applied, and no call waits for an answer.
std::unique_ptr<InputMethod> MakeInputMethod(QWidget& window);

}  // namespace tomira
