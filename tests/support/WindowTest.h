#pragma once
// A window of the program on its own for a widget test: shown and active, over a common state of its own and a message
// service that records; and the modal windows an action opens, met and closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

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

// Runs act; the first modal window it opens is made active and met by `inside`, then every modal window is
// closed (hidden, should it refuse) so that act returns. The names of the windows met.
inline QStringList Opened(const std::function<void()>& act, const std::function<void(QWidget*)>& inside = {})
{
    QStringList names;
    QList<QWidget*> met;
    bool meeting = false;
    int tries = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (!met.contains(modal)) {
            met << modal;
            names << modal->objectName();
            modal->activateWindow();
            // Not from this slot: a window `inside` opens must meet the poll too.
            if (inside && met.size() == 1) {
                meeting = true;
                return QTimer::singleShot(0, modal, [&, modal] { inside(modal), meeting = false; });
            }
        }
        if (meeting && modal == met.first()) return;
        ++tries < 20 ? (void)modal->close() : modal->hide();
    });
    poll.start(5);
    act();
    return names;
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
