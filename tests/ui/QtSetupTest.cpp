// What the program sets up in Qt: the message box, its colours and font, the process settings, Qt's own words.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTemporaryDir>

#include <cstdlib>
#include <tuple>

#include <malloc.h>

#include "ui/ProcessSettings.h"
#include "ui/QtMessageService.h"
#include "ui/QtTranslation.h"
#include "support/WindowTest.h"

namespace tomira {
namespace {

TEST(QtMessageService, ShowsAModalBoxWithTextTitleIconAndOk)
{
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {{MessageIcon::Exclamation, QMessageBox::Warning},
                                                               {MessageIcon::None, QMessageBox::NoIcon}};
    for (const auto& [icon, shown] : icons) {
        // What the box shows is read, the box ended, and only then checked.
        std::tuple<QString, QString, QMessageBox::Icon, qsizetype> seen;
        testing::Opened([&] { QtMessageService().ShowMessage("一行目\r\n二行目", "確認", icon); },
                        [&](QWidget* window) {
                            auto* box = qobject_cast<QMessageBox*>(window);
                            seen = {box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
                        });
        EXPECT_EQ(seen, std::make_tuple(QStringLiteral("確認"), QStringLiteral("一行目\n二行目"), shown, qsizetype{1}));
    }
}

TEST(ProgramLook, TheProgramsColoursAndFontStayWhenTheDesktopChangesThem)
{
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));  // from the start
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    QApplication::setFont(QFont(QStringLiteral("Sans"), 14));
    const QPalette shown = QApplication::palette();
    EXPECT_EQ(QList({shown.window().color(), shown.button().color(), shown.windowText().color()}),
              QList<QColor>({QColor(0xF0, 0xF0, 0xF0), QColor(0xF0, 0xF0, 0xF0), QColor(Qt::black)}));
    // The desktop's font gives way to the program's, at 9 pt (its Japanese: the caption-fit tests).
    EXPECT_NE(QApplication::font().family(), QStringLiteral("Sans"));
    EXPECT_EQ(QApplication::font().pointSizeF(), 9.0);
}

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
TEST(ProcessSettings, AWindowSizedBlockGoesBackToTheSystemAndNoWindowGetsASharedSegment)
{
    PrepareApplication();
    // A window's pixels, freed and taken again: still a mapping of its own, which freeing gives back.
    static void* volatile block;
    block = std::malloc(1 << 20);
    std::free(block);
    const auto mapped = mallinfo2().hblks;
    block = std::malloc(1 << 20);
    EXPECT_EQ(mallinfo2().hblks, mapped + 1);
    std::free(block);
    EXPECT_EQ(qgetenv("QT_XCB_NO_MITSHM"), "1");
}
#endif

TEST(QtTranslation, JapaneseFromTheFirstFolderWithAReadableOneEnglishWithout)
{
    const QString qts = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QTemporaryDir damaged;  // holding the real file cut in half
    const QString half = damaged.filePath("qtbase_ja.qm");
    ASSERT_TRUE(QFile::copy(qts + "/qtbase_ja.qm", half) && QFile::resize(half, QFile(half).size() / 2));
    EXPECT_EQ(InstallQtTranslation(*qApp, {"/nowhere", damaged.path()}), nullptr);
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All"), "Select All");
    InstallQtTranslation(*qApp, {damaged.path(), qts});
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All"), "すべてを選択");  // in a field's menu
}

}  // namespace
}  // namespace tomira
