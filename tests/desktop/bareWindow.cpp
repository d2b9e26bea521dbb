// A bare Qt main window started the way kestro starts: the yardstick for
// kestro's start-up time. With --quit-when-shown both end at their first
// paint.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
