#pragma once
// The program's look for every window: its style, its colours and font kept
// whatever the desktop sets, its name and icon.

class QApplication;

namespace tomira {

// Font substitutes, the "*" password character, the program's colours,
// Enter on a focused command button pressing it, Shift+F10 opening the
// focused control's context menu, the application title and window icon,
// no cache of drawn style pieces. Call once after the QApplication exists.
void InstallApplicationLook(QApplication& app);

}  // namespace tomira
