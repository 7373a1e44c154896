#pragma once
// The keyboard beyond Qt's own handling: Enter on command buttons,
// Shift+F10 for a context menu, and the Tab keystroke the program sends
// itself.

#include <QObject>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace tomira {

// Enter or the keypad's Enter, with no modifier besides the keypad's.
bool IsPlainEnter(const QKeyEvent& key);

// Queues one Tab keystroke to the widget that has the focus, without
// waiting; the focus then moves as if the user had pressed Tab.
void SendTab(QWidget& from);

// Enter or the keypad's Enter on a focused command button presses it, as
// Space does; installed on the application by InstallApplicationLook().
class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool PressedByEnter(QPushButton* button, const QKeyEvent& key);
};

// Shift+F10 opens the focused control's context menu, as the Menu key does,
// which many laptop keyboards lack. Windows makes it a context-menu request
// itself, and Qt there sends no key press for it; on Linux the desktops'
// own programs take it, Qt does not. Installed by InstallApplicationLook().
class ShiftF10OpensContextMenus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tomira
