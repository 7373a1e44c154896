#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "ui/UiServices.h"

namespace tomira {
namespace {

TEST(QtMessageService, ShowsAModalBoxWithTextTitleIconAndOk)
{
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {{MessageIcon::Exclamation, QMessageBox::Warning},
                                                                {MessageIcon::None, QMessageBox::NoIcon}};
    for (const auto& [icon, shown] : icons) {
        QMessageBox* seen = nullptr;
        QTimer::singleShot(10, [&] {
            seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(seen, nullptr);
            EXPECT_EQ(seen->windowTitle(), QStringLiteral("確認"));
            EXPECT_EQ(seen->text(), QStringLiteral("一行目\n二行目"));
            EXPECT_EQ(seen->icon(), shown);
            ASSERT_EQ(seen->buttons().size(), 1);
            seen->buttons().first()->click();
        });
        QtMessageService().ShowMessage("一行目\r\n二行目", "確認", icon);
        EXPECT_NE(seen, nullptr);
    }
}

}  // namespace
}  // namespace tomira
