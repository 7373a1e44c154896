#include "ui/ModalWindows.h"

#include <QDialog>

namespace tomira {

void ShowModal(QDialog& dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

}  // namespace tomira
