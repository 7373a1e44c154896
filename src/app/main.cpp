#include <QApplication>

#include "app/frmStartMenu.h"
#include "state/modCommon.h"
#include "ui/ApplicationLook.h"
#include "ui/ProcessSettings.h"
#include "ui/QtMessageService.h"

int main(int argc, char* argv[])
{
    tomira::PrepareApplication();
    QApplication app(argc, argv);
    tomira::InstallApplicationLook(app);
    tomira::modCommon state;
    tomira::QtMessageService messages;
    tomira::frmStartMenu window(state, messages);
    window.show();
    return app.exec();
}
