#pragma once
// What a window's text fields make of the input-method events they get,
// over the back-end of DesktopInputMethod.h.

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QString>

#include <memory>

#include "state/InputMethod.h"

class QEvent;
class QWidget;

namespace tomira {

// The input-method side of a window's text fields, fed from the window's
// event filter: a field's mode is applied when it gets the focus; an IME's
// text for a field whose IME is disabled is dropped; a composition still
// pending when the focus leaves its field, or as Alt starts an access key,
// is committed into that field, once: a copy that the IME commits again is
// dropped; a composition the user deleted is ended with the IME, so that
// nothing of it is committed later.
class FieldInputMethods {
public:
    explicit FieldInputMethods(std::unique_ptr<InputMethod> ime) : ime_(std::move(ime)) {}

    void SetMode(QWidget* field, ImeMode mode);
    // True when the event is to be dropped.
    bool Filter(QWidget* field, QEvent* event);

private:
    void CommitPending(QWidget* field);

    std::unique_ptr<InputMethod> ime_;
    QHash<QWidget*, ImeMode> modes_;
    // The composition shown in a field, as the IME last sent it.
    QPointer<QWidget> composing_;
    QString preedit_;
    // The last commit that ended a composition: since when, where, and
    // whether the program made it.
    QElapsedTimer committed_;
    QPointer<QWidget> committedIn_;
    bool committedHere_ = false;
    bool committing_ = false;
};

}  // namespace tomira
