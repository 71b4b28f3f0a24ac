// The yardstick for start-up: an empty Qt 6 window of the main window's size, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.setFixedSize(450, 486);
    window.show();
    return app.exec();
}
