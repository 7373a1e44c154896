#pragma once
// Text between the program's UTF-8 strings and Qt, and captions as a
// screen reader says them.

#include <QString>

#include <string>

class QAbstractButton;

namespace tomira {

QString ToQString(const std::string& utf8);
std::string ToStdString(const QString& text);

// A caption as a screen reader should say it: without the access-key
// marker, whether "&" alone or a Japanese-style "(&K)" / "（&C）".
QString AccessibleCaption(const QString& caption);
// Sets a button's caption and the matching accessible name.
void SetCaption(QAbstractButton& button, const QString& caption);

}  // namespace tomira
