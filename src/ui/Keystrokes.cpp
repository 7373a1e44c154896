#include "ui/Keystrokes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace tomira {

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event)
{
    return event->type() == QEvent::KeyPress &&
           PressedByEnter(qobject_cast<QPushButton*>(watched), static_cast<QKeyEvent&>(*event));
}

bool EnterPressesButtons::PressedByEnter(QPushButton* button, const QKeyEvent& key)
{
    if (button == nullptr || (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    if (button->isEnabled() && !key.isAutoRepeat()) {
        button->click();
    }
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
