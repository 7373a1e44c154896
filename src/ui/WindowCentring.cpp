#include "ui/WindowCentring.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tomira {

namespace {

// The frame the window manager draws around a window, once it is known;
// before that, the frame of another window of the program stands in.
QMargins FrameMargins(const QWidget& window)
{
    const auto framed = [](const QWidget& w) {
        return w.windowHandle() != nullptr && w.isVisible() ? w.windowHandle()->frameMargins() : QMargins();
    };
    QMargins margins = framed(window);
    if (margins.isNull()) {
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window && !(margins = framed(*other)).isNull()) {
                break;
            }
        }
    }
    return margins;
}

void MoveToCentre(QWidget& window)
{
    QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // A window's position is that of its frame.
    QRect frame = QRect(QPoint(0, 0), window.size()).marginsAdded(FrameMargins(window));
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

// Centres a window once more as soon as the window manager has framed it:
// until then its frame could only be guessed.
class CentreWhenFramed : public QObject {
public:
    explicit CentreWhenFramed(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent*) override
    {
        // Whichever event comes first once the frame is there: a window
        // manager that keeps the window where it is sends no move.
        auto& window = static_cast<QWidget&>(*watched);
        if (window.isVisible() && window.windowHandle() != nullptr && !window.windowHandle()->frameMargins().isNull()) {
            window.removeEventFilter(this);
            deleteLater();
            MoveToCentre(window);
        }
        return false;
    }
};

}  // namespace

void CentreOnScreen(QWidget& window)
{
    MoveToCentre(window);
    if (!window.isVisible()) {
        new CentreWhenFramed(window);
    }
}

}  // namespace tomira
