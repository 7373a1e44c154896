#pragma once
// What a native Wayland session asks of the program: the compositor
// places the windows, and a modal window must be brought back above its
// owner when the compositor activates the owner.

class QApplication;

namespace tomira {

// Call before the QApplication exists: X11 through XWayland where the
// session has it, on Windows light title bars (WindowSystem.h), unless the
// user chose a platform; on Wayland no title bars drawn by Qt.
void ChooseWindowSystem();
// Call once after the QApplication exists; does nothing except on Wayland.
void KeepModalWindowsAbove(QApplication& app);
// False on Wayland, where a program cannot place its own windows.
bool CanPlaceWindows();

}  // namespace tomira
