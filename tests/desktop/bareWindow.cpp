// A bare Qt main window started the way kestro starts: the yardstick for
// kestro's start-up time. It gives the same marks as kestro
// --quit-when-shown ("shown", then "painted") and quits.
#include "QuitWhenShown.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    QuitWhenShown marks(window);
    window.show();
    QuitWhenShown::shown();
    return QApplication::exec();
}
