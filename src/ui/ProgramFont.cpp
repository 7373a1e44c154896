#include "ui/ProgramFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace tomira {

namespace {

// The family the windows are drawn in: the one asked for where it is
// installed, else the first of its substitutes that is, as the font
// matching would choose. Asked for by name, it draws the same glyphs and
// spares every font size the search through the desktop's fonts that a
// family not installed sets off.
QString InstalledUiFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : QStringList(kUiFontFamily) + QFont::substitutes(kUiFontFamily)) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return kUiFontFamily;
}

}  // namespace

QFont UiFont(double pointSize)
{
    static const QString family = InstalledUiFontFamily();
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace tomira
