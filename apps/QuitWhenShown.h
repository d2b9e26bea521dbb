// --quit-when-shown of kestro, and the bare window it is timed against: the
// same marks on standard output for the start-up benchmark. "shown" once the
// window is shown with its first screen (the caller says it), "painted" once
// the window has painted itself for the first time; then the program quits.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <iostream>

class QuitWhenShown : public QObject {
public:
    // Watches `window` for its first paint.
    explicit QuitWhenShown(QWidget& window) { window.installEventFilter(this); }
    static void shown() { std::cout << "shown" << std::endl; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After the whole window is painted, not just its frame.
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
