#include "ui/QtText.h"

#include <QAbstractButton>
#include <QRegularExpression>

namespace tomira {

QString ToQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

QString AccessibleCaption(const QString& caption)
{
    static const QRegularExpression marker(QStringLiteral("[(（]&[^&][)）]"));
    QString text = caption;
    text.remove(marker);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

void SetCaption(QAbstractButton& button, const QString& caption)
{
    button.setText(caption);
    button.setAccessibleName(AccessibleCaption(caption));
}

}  // namespace tomira
