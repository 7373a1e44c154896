#include "ui/FieldInputMethods.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tomira {

namespace {

// Within this time after a composition was committed, a commit that no
// composition led to is the IME's copy of it when it arrives in another
// field, or after the program committed the composition itself (ibus
// commits a composition again after Qt has committed it as the focus
// moved, into the next field).
constexpr int kStrayCommitMs = 500;

}  // namespace

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
