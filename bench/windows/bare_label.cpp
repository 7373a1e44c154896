// A bare Qt Widgets program: one window holding one Japanese label.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("体質診断"));
    window.setWindowTitle(QStringLiteral("bare label"));
    window.show();
    return app.exec();
}
