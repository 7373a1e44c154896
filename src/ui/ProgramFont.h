#pragma once
// The font every text of the program is written in.

#include <QFont>
#include <QString>

namespace tomira {

// The font family the windows ask for; substitutes are registered by
// InstallApplicationLook().
inline const QString kUiFontFamily = QStringLiteral("ＭＳ Ｐゴシック");

QFont UiFont(double pointSize);

}  // namespace tomira
