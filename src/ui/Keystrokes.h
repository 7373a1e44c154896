#pragma once
// Keystrokes the program sends itself.

class QWidget;

namespace tomira {

// Queues one Tab keystroke to the widget that has the focus, without
// waiting; the focus then moves as if the user had pressed Tab.
void SendTab(QWidget& from);

}  // namespace tomira
