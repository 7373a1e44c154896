#include "about/AboutWindow.h"

#include "about/frmAbout.h"
#include "ui/UiServices.h"

namespace tomira {

void ShowAboutWindow(QWidget* owner, MessageService& messages)
{
    // A new box each time: it loads, shows modally and is gone when closed.
    frmAbout box(messages, owner);
    CentreOnScreen(box);
    ShowModal(box);
}

}  // namespace tomira
