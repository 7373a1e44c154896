// The yardstick: a bare Qt Widgets program with one window, titled as
// TOMIRA's and at least as large, showing one label of Japanese text in
// the font TOMIRA's windows are drawn in here. Like any window laid out by
// its contents, TOMIRA's included, it is sized from its text as it is
// shown.
#include <QApplication>
#include <QLabel>

#include "StartupProbe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("体質診断と体型診断"));
    window.setFont(QFont(QStringLiteral("IPAPGothic"), 14));
    window.setWindowTitle(QStringLiteral("TOMIRA"));
    window.setMinimumSize(544, 545);
    new tomira::bench::FirstPaintProbe(window);
    window.show();
    return app.exec();
}
