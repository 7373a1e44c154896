// TOMIRA's own start-up, exactly as main.cpp does it, with the probe.
#include <QApplication>

#include "StartupProbe.h"
#include "app/frmStartMenu.h"
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
    new tomira::bench::FirstPaintProbe(window);
    window.show();
    return app.exec();
}
