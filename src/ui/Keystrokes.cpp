#include "ui/Keystrokes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tomira {

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
