// The yardstick: a minimal Qt Widgets program with one window.
#include <QApplication>
#include <QLabel>

#include "StartupProbe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("TOMIRA"));
    window.resize(544, 545);
    new tomira::bench::FirstPaintProbe(window);
    window.show();
    return app.exec();
}
