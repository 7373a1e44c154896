#include "ui/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/QtText.h"

namespace tomira {

void QtMessageService::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon)
{
    // The program writes CR LF between lines; a label breaks on LF.
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, ToQString(title),
                    shown, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

}  // namespace tomira
