#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <tuple>

#include <malloc.h>

#include "ui/ProcessSettings.h"
#include "ui/QtMessageService.h"
#include "ui/QtTranslation.h"
#include "ui/Units.h"

namespace tomira {
namespace {

TEST(QtMessageService, ShowsAModalBoxWithTextTitleIconAndOk)
{
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {{MessageIcon::Exclamation, QMessageBox::Warning},
                                                               {MessageIcon::None, QMessageBox::NoIcon}};
    for (const auto& [icon, shown] : icons) {
        // What the box shows is read, the box ended, and only then checked.
        std::tuple<QString, QString, QMessageBox::Icon, qsizetype> seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = {box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
                box->done(0);
            }
        });
        poll.start(10);
        QtMessageService().ShowMessage("一行目\r\n二行目", "確認", icon);
        EXPECT_EQ(seen, std::make_tuple(QStringLiteral("確認"), QStringLiteral("一行目\n二行目"), shown, qsizetype{1}));
    }
}

TEST(UiServices, TheProgramsColoursAndFontStayWhenTheDesktopChangesThem)
{
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));  // from the start
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    QApplication::setFont(QFont(QStringLiteral("Sans"), 14));
    const QPalette shown = QApplication::palette();
    EXPECT_EQ(QList({shown.window().color(), shown.button().color(), shown.windowText().color()}),
              QList<QColor>({QColor(0xF0, 0xF0, 0xF0), QColor(0xF0, 0xF0, 0xF0), QColor(Qt::black)}));
    // The desktop's font gives way to the program's: Japanese, in the stand-in for ＭＳ Ｐゴシック, at 9 pt.
    const QString family = QFontInfo(QApplication::font()).family();
    EXPECT_TRUE(QStringList({"MS PGothic", "IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP"}).contains(family))
        << family.toStdString();
    EXPECT_EQ(QApplication::font().pointSizeF(), 9.0);
    // Style pieces are drawn anew, never kept: each window has new palettes.
    EXPECT_EQ(QPixmapCache::cacheLimit(), 0);
}

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
TEST(UiServices, AWindowSizedBlockGoesBackToTheSystemAndNoWindowGetsASharedSegment)
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

TEST(UiServices, TwipsRoundToTheNearestPixel)
{
    for (const auto& [twips, pixels] : {std::pair{7, 0}, {8, 1}, {-8, -1}, {5654, 377}})
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
}

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
