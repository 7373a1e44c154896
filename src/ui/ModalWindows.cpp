#include "ui/ModalWindows.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>

namespace tomira {

void ShowModal(QDialog& dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

void ProcessPendingEventsOnce()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

}  // namespace tomira
