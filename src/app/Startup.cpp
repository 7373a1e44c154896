#include "app/Startup.h"

#include <QApplication>

#include "app/frmStartMenu.h"
#include "state/modCommon.h"
#include "ui/ApplicationLook.h"
#include "ui/ProcessSettings.h"
#include "ui/QtMessageService.h"
#include "ui/QtTranslation.h"
#include "ui/WaylandSession.h"

namespace tomira {

int RunTomira(int& argc, char* argv[], const std::function<void(QWidget&)>& beforeShow)
{
    PrepareApplication();
    ChooseWindowSystem();
    QApplication app(argc, argv);
    InstallQtTranslation(app);
    InstallApplicationLook(app);
    KeepModalWindowsAbove(app);
    modCommon state;
    QtMessageService messages;
    frmStartMenu window(state, messages);
    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    return app.exec();
}

}  // namespace tomira
