#include "ui/DesktopInputMethod.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#ifndef Q_OS_WIN
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace tomira {

namespace {

#ifndef Q_OS_WIN

// fcitx5: its controller activates (the first input method of the group
// after the keyboard, Mozc, which starts in Hiragana) or deactivates the
// input context that last had the focus, and each input context keeps its
// own state unless the user has chosen to share it. Ours gets the focus
// through Qt's own connection, set up after the window first shows: the
// first mode waits a moment, and is sent only while this window is active,
// so another program's state is never touched. Nothing waits for a reply.
constexpr int kFirstSwitchDelayMs = 150;

class Fcitx5InputMethod final : public InputMethod {
public:
    explicit Fcitx5InputMethod(QWidget& window) : window_(&window)
    {
        first_.setSingleShot(true);
        first_.setInterval(kFirstSwitchDelayMs);
        QObject::connect(&first_, &QTimer::timeout, &first_, [this] { Send(); });
    }

    void HiraganaOn() override { Want(true); }
    void Off() override { Want(false); }
    void Disable() override { Want(false); }

private:
    void Want(bool on)
    {
        on_ = on;
        if (ready_) {
            Send();
        } else {
            first_.start();
        }
    }

    void Send()
    {
        if (window_ == nullptr || !window_->isActiveWindow()) {
            return;
        }
        ready_ = true;
        QDBusMessage call =
            QDBusMessage::createMethodCall(QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                                           QStringLiteral("org.fcitx.Fcitx.Controller1"),
                                           on_ ? QStringLiteral("Activate") : QStringLiteral("Deactivate"));
        call.setAutoStartService(false);
        QDBusConnection::sessionBus().send(call);
    }

    QPointer<QWidget> window_;
    QTimer first_;
    bool on_ = false;
    bool ready_ = false;
};

// ibus: switches nothing; see DesktopInputMethod.h for why.
class IBusInputMethod final : public InputMethod {
public:
    void HiraganaOn() override {}
    void Off() override {}
    void Disable() override {}
    bool CanTurnOff() const override { return false; }
};

#endif

}  // namespace

std::unique_ptr<InputMethod> MakeInputMethod(QWidget& window)
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        return MakeImmInputMethod(reinterpret_cast<void*>(window.winId()));
    }
#else
    if (QGuiApplication::platformName() == QLatin1String("xcb") ||
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        switch (FrameworkOfModule(qEnvironmentVariable("QT_IM_MODULE").toStdString())) {
        case ImeFramework::Fcitx5:
            return std::make_unique<Fcitx5InputMethod>(window);
        case ImeFramework::IBus:
            return std::make_unique<IBusInputMethod>();
        case ImeFramework::None:
            break;
        }
    }
#endif
    (void)window;
    return std::make_unique<NoInputMethod>();
}

}  // namespace tomira
