#include "ui/WaylandSession.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "state/WindowSystem.h"

namespace tomira {

namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// A Wayland compositor may activate and raise a window that a modal window
// blocks (sway does, when the user focuses it), and no client can raise a
// window itself: the modal window would hide behind its owner, which takes
// no keys. So the modal window is shown once more, which the compositor
// maps on top with the focus. Only its native window goes and comes back:
// Qt 6.8 hides the widget with its QWindow, and a hidden dialog ends its
// exec(), which would close the About box or throw the questionnaire's
// answers away; with the widget's visible flag down for the moment, the
// QWindow is hidden alone, on Qt 6.4 as on 6.8.
class ModalKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::WindowActivate || !watched->isWidgetType()) {
            return false;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != watched && static_cast<QWidget*>(watched)->isWindow() && !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, [this, shown = QPointer<QWidget>(modal)] {
                pending_ = false;
                if (shown != nullptr && shown->isVisible() && !shown->isActiveWindow()) {
                    shown->setAttribute(Qt::WA_WState_Visible, false);
                    shown->windowHandle()->hide();
                    shown->setAttribute(Qt::WA_WState_Visible, true);
                    shown->windowHandle()->show();
                }
            });
        }
        return false;
    }

private:
    bool pending_ = false;
};

}  // namespace

void ChooseWindowSystem()
{
    const std::string userChoice = qgetenv("QT_QPA_PLATFORM").toStdString();
#ifdef _WIN32
    const std::string platforms = PreferredWindowsPlatform(userChoice);
#else
    const std::string platforms =
        PreferredPlatforms(userChoice, qgetenv("DISPLAY").toStdString(), qgetenv("WAYLAND_DISPLAY").toStdString());
#endif
    if (!platforms.empty()) {
        qputenv("QT_QPA_PLATFORM", platforms.c_str());
    }
    // Where a Wayland compositor leaves the title bars to the program (GNOME
    // and weston do), Qt's own offer maximise and minimise on every window,
    // the fixed-size ones too. The windows go without: each closes by its
    // own buttons and Esc, and the compositor moves it (Super and drag).
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION")) {
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    }
}

void KeepModalWindowsAbove(QApplication& app)
{
    if (OnWayland()) {
        app.installEventFilter(new ModalKeeper(&app));
    }
}

bool CanPlaceWindows() { return !OnWayland(); }

}  // namespace tomira
