#include "ui/ProgramFont.h"

namespace tomira {

QFont UiFont(double pointSize)
{
    QFont font(kUiFontFamily);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace tomira
