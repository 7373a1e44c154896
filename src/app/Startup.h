#pragma once
// How TOMIRA starts and runs, for the program and for the benchmark that
// times its start-up.

#include <functional>

class QWidget;

namespace tomira {

// Prepares the process, creates the application with the program's look,
// shows the main window and runs until it closes; returns the exit code.
// `beforeShow`, when given, is called with the main window just before it
// is shown.
int RunTomira(int& argc, char* argv[], const std::function<void(QWidget&)>& beforeShow = {});

}  // namespace tomira
