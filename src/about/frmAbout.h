#pragma once
// The version information window: title, version, description, notice,
// and the button that starts the system information tool.

#include <QDialog>

#include <memory>

#include "about/AboutLogic.h"
#include "about/SystemAccess.h"

class QLabel;
class QPushButton;

namespace tomira {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The registry, file test and program start of the running system.
    explicit frmAbout(MessageService& messages, QWidget* parent = nullptr);
    ~frmAbout() override;

    void StartSysInfo();

private:
    void BuildControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    std::unique_ptr<RegistryApi> registry_;
    std::unique_ptr<FileProbe> files_;
    std::unique_ptr<ProgramStarter> starter_;
    AboutLogic logic_;

    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
};

// Creates the About box, shows it modally over `owner` and returns when it
// has closed.
void ShowAboutWindow(QWidget* owner, MessageService& messages);

}  // namespace tomira
