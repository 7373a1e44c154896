#include <QApplication>

#include "app/frmStartMenu.h"
#include "state/modCommon.h"
#include "ui/UiServices.h"
#include "ui/WaylandSession.h"

int main(int argc, char* argv[])
{
    tomira::PrepareApplication();
    tomira::ChooseWindowSystem();
    QApplication app(argc, argv);
    tomira::InstallApplicationLook(app);
    tomira::KeepModalWindowsAbove(app);
    tomira::modCommon state;
    tomira::QtMessageService messages;
    tomira::frmStartMenu window(state, messages);
    window.show();
    return app.exec();
}
