#pragma once
// The font every text of the program is written in.

#include <QFont>
#include <QString>

namespace tomira {

// The font family the windows ask for; substitutes are registered by
// InstallApplicationLook().
inline const QString kUiFontFamily = QStringLiteral("ＭＳ Ｐゴシック");

// The program's font in a size: "ＭＳ Ｐゴシック" or, where it is not
// installed, the substitute that stands in for it. Call it first after
// InstallApplicationLook() has registered the substitutes.
QFont UiFont(double pointSize);

}  // namespace tomira
