#include "ui/Keystrokes.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace tomira {

bool IsPlainEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event)
{
    return event->type() == QEvent::KeyPress &&
           PressedByEnter(qobject_cast<QPushButton*>(watched), static_cast<QKeyEvent&>(*event));
}

bool EnterPressesButtons::PressedByEnter(QPushButton* button, const QKeyEvent& key)
{
    if (button == nullptr || !IsPlainEnter(key)) {
        return false;
    }
    if (button->isEnabled() && !key.isAutoRepeat()) {
        button->click();
    }
    return true;
}

bool ShiftF10OpensContextMenus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget()) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() != Qt::Key_F10 || key.modifiers() != Qt::ShiftModifier) {
        return false;
    }
    // Where the Menu key opens it: at the text cursor, or the control's middle.
    auto* control = static_cast<QWidget*>(watched);
    const QPoint at = control->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at), key.modifiers());
    QCoreApplication::sendEvent(control, &request);
    return true;
}

void SendTab(QWidget& from)
{
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = &from;
    }
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
}

}  // namespace tomira
