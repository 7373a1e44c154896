#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tomira {

QStringList QtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QTranslator* InstallQtTranslation(QCoreApplication& app, const QStringList& folders)
{
    // The windows are Japanese whatever the system's language, and so are Qt's words in them.
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_ja"), folder) && app.installTranslator(translator)) {
            return translator;
        }
    }
    delete translator;
    return nullptr;
}

}  // namespace tomira
