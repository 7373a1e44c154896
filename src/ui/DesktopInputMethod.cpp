#include "ui/DesktopInputMethod.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#ifndef Q_OS_WIN
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
// so another program's state is never touched. A switch that came before
// fcitx5 had our input context (fcitx5-qt with Qt 6.8 makes it later) is
// lost: the state is read back, without waiting, and the switch sent again
// a few times until it holds.
constexpr int kFirstSwitchDelayMs = 150;
constexpr int kRetryDelayMs = 100;
constexpr int kRetries = 20;

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
        retries_ = kRetries;
        if (ready_) {
            Send();
        } else {
            first_.start();
        }
    }

    static QDBusMessage Call(const QString& method)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                                           QStringLiteral("org.fcitx.Fcitx.Controller1"), method);
        call.setAutoStartService(false);
        return call;
    }

    void Send()
    {
        if (window_ == nullptr || !window_->isActiveWindow()) {
            return;
        }
        ready_ = true;
        const bool on = on_;
        QDBusConnection::sessionBus().send(Call(on ? QStringLiteral("Activate") : QStringLiteral("Deactivate")));
        // State: 1 inactive, 2 active. A later switch or no answer ends the checks.
        auto* reply = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(Call(QStringLiteral("State"))), &first_);
        QObject::connect(reply, &QDBusPendingCallWatcher::finished, &first_, [this, on, reply] {
            reply->deleteLater();
            const QDBusPendingReply<int> state = *reply;
            if (state.isValid() && state.value() != (on ? 2 : 1) && on == on_ && retries_-- > 0) {
                QTimer::singleShot(kRetryDelayMs, &first_, [this, on] {
                    if (on == on_) Send();
                });
            }
        });
    }

    QPointer<QWidget> window_;
    QTimer first_;
    bool on_ = false;
    bool ready_ = false;
    int retries_ = 0;
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
