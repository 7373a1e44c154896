#pragma once
// Qt's own words in the program's windows (a field's context menu, a
// message box's buttons) in Japanese, from Qt's translation qtbase_ja.qm.

#include <QStringList>

class QCoreApplication;
class QTranslator;

namespace tomira {

// Where the translation is looked for, in this order: a translations
// folder beside the program (where the Windows package puts it), then
// Qt's own (where Debian's qt6-translations-l10n puts it).
QStringList QtTranslationFolders();
// Installs qtbase_ja.qm from the first of the folders that holds one Qt
// can read, and returns it (owned by the application). Where none does
// (not installed, damaged, another Qt's) it returns null and Qt's English
// words stay. Call after the application exists, before the first window.
QTranslator* InstallQtTranslation(QCoreApplication& app, const QStringList& folders = QtTranslationFolders());

}  // namespace tomira
