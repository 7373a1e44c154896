#include "ui/FieldInputMethods.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#ifndef Q_OS_WIN
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace tomira {

namespace {

// Within this time after a composition was committed, a commit that no
// composition led to is the IME's copy of it when it arrives in another
// field, or after the program committed the composition itself (ibus
// commits a composition again after Qt has committed it as the focus
// moved, into the next field).
constexpr int kStrayCommitMs = 500;

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

// ibus switches engines for the whole desktop only, Mozc's mode on ibus is
// one for every program, and ibus-daemon takes calls on an input context
// only from the connection that made it (Qt's own). So the program leaves
// the user's state alone there; the height field, which the IME cannot be
// turned off for, keeps it away instead (FieldInputMethods).
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

void FieldInputMethods::SetMode(QWidget* field, ImeMode mode)
{
    modes_.insert(field, mode);
    if (mode == ImeMode::Off && !ime_->CanTurnOff()) {
        // Where the IME cannot be turned off for this field alone, it is
        // kept away from it: Qt gives a hidden-text field no input method.
        field->setInputMethodHints(field->inputMethodHints() | Qt::ImhHiddenText);
    }
}

void FieldInputMethods::CommitPending(QWidget* field)
{
    // Committed here and dropped by the IME, so that it lands once, here.
    if (composing_ == field && !preedit_.isEmpty()) {
        QInputMethodEvent commit;
        commit.setCommitString(preedit_);
        committing_ = true;
        QCoreApplication::sendEvent(field, &commit);
        committing_ = false;
        QGuiApplication::inputMethod()->reset();
    }
}

bool FieldInputMethods::Filter(QWidget* field, QEvent* event)
{
    const auto mode = modes_.constFind(field);
    if (mode == modes_.constEnd()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        ime_->Apply(*mode);
        return false;
    case QEvent::KeyPress:
        // Alt begins an access key, which an IME would take as a key of
        // its composition: the composition is committed first, so that
        // the access key reaches the window.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) {
            CommitPending(field);
        }
        return false;
    case QEvent::FocusOut:
        // A composition the IME did not commit as the focus left is
        // committed here; either way a copy the IME sends after it is not
        // for the next field.
        CommitPending(field);
        return false;
    case QEvent::InputMethod: {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (*mode == ImeMode::Disabled) {
            return !input->commitString().isEmpty() || !input->preeditString().isEmpty();
        }
        const bool ownComposition = composing_ == field && !preedit_.isEmpty();
        if (!input->commitString().isEmpty() && input->preeditString().isEmpty() && !ownComposition &&
            committed_.isValid() && committed_.elapsed() < kStrayCommitMs &&
            (field != committedIn_ || committedHere_)) {
            committed_.invalidate();
            return true;  // the IME's copy of a composition committed already
        }
        if (!input->commitString().isEmpty() && ownComposition) {
            committed_.start();
            committedIn_ = field;
            committedHere_ = committing_;
        }
        const bool deleted = ownComposition && input->commitString().isEmpty() && input->preeditString().isEmpty();
        composing_ = field;
        preedit_ = input->preeditString();
        if (deleted) {
            // The user deleted the composition. Qt's ibus module only hides
            // it and keeps its copy, which it would commit as the focus
            // leaves the field: the input method is told it is over.
            QGuiApplication::inputMethod()->reset();
        }
        return false;
    }
    default:
        return false;
    }
}

}  // namespace tomira
