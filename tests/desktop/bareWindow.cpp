// A bare Qt main window started the way kestro starts: the yardstick for
// kestro's start-up time. Like kestro --quit-when-shown, it says "shown" on
// standard output once its window is shown, "painted" once it has painted
// itself for the first time, and quits.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QScreen>
#include <QTimer>

#include <iostream>

namespace {

class QuitWhenShown : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [] {
                std::cout << "painted" << std::endl;
                QApplication::quit();
            });
        }
        return false;
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    QuitWhenShown quit;
    window.installEventFilter(&quit);
    window.show();
    std::cout << "shown" << std::endl;
    return QApplication::exec();
}
