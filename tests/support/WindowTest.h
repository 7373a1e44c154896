#pragma once
// A window of the program on its own for a widget test: shown and active, over a common state of its own and a message
// service that records.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "state/modCommon.h"
#include "support/RecordingMessages.h"

namespace tomira::testing {

// The control of that name in a window; the test fails where it is missing.
template <typename T = QWidget>
T* Control(QWidget* window, const QString& name)
{
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

template <typename Window>
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    template <typename T = QWidget>
    T* Control(const QString& name)
    {
        return testing::Control<T>(&window, name);
    }

    modCommon state;
    RecordingMessages messages;
    Window window{state, messages};
};

}  // namespace tomira::testing
