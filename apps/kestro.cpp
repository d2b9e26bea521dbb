// kestro: the desktop program. The start-up window reads the content
// database, then the main window hosts every lesson window.
#include "Simulator.h"
#include "console/BottomForm.h"
#include "shell/ErrorLog.h"
#include "shell/MDIForm1.h"
#include "shell/frmSplash.h"

#include "shell/SideMenu.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstring>
#include <iostream>

namespace {

using namespace kestro;

const QString title = QStringLiteral("Kestro Router Simulator");

// A start-up message: always on standard error, and in a box only where a
// screen shows one (on the offscreen or minimal platforms nobody could
// answer it, and it would wait for ever).
void tell(const std::string& text, QMessageBox::Icon icon) {
    std::cerr << "kestro: " << text << "\n";
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

// The console window does not exist before the main window: until then
// message boxes are shown directly and nothing waits.
class StartupIo : public ConsoleIo {
public:
    bool pause(int) override { return true; }
    std::optional<int> waitForKey() override { return std::nullopt; }
    int visibleLines() const override { return 24; }
    void messageBox(const std::string& text) override { tell(text, QMessageBox::Information); }
};

// --screenshots DIR: walks through the main views as a student would and
// saves a picture of each into DIR, then ends. Used to look at the windows
// after a change (scripts/screenshots.sh runs it under Xvfb).
class Tour : public QObject {
public:
    Tour(MDIForm1& main, QString dir) : main_(main), dir_(std::move(dir)) {}

    void start() {
        using Step = std::function<void()>;
        const std::vector<std::pair<Step, QString>> steps = {
            {[] {}, "welcome"},
            {[this] {
                 main_.chooseMenuItem("configuringSerialInterface");
                 type("\renable\rshow history\rconfigure terminal\rinterface serial 0\r"
                      "ip address 220.155.5.1 255.255.255.0\rclock rate 56000\rno shut");
             },
             "lab"},
            {[this] {
                 main_.chooseMenuItem("test1");
                 type("\renable\rconfigure terminal\rhostname test1\r");
                 main_.sidePanelClicked("showAnswer");
             },
             "report"},
            {[this] {
                 main_.chooseMenuItem("loadFlashCards");
                 main_.flashCardButton(2);
                 main_.flashCardButton(1);
             },
             "flashcards"},
            {[this] {
                 main_.chooseMenuItem("troubleshooting4");
                 type("\renable\rshow ip route\r");
                 main_.routerButton(1);
                 type("\rena");
             },
             "tworouter"},
            {[this] {
                 main_.chooseMenuItem("routerStartUp");
                 main_.sidePanelClicked("showNetwork");
             },
             "diagram"},
            {[this] {
                 main_.chooseMenuItem("test3");
                 main_.sidePanelClicked("showNetwork");
             },
             "diagramTest3"},
            {[this] {
                 main_.chooseMenuItem("troubleshooting6");
                 main_.routerButton(1);
                 main_.sidePanelClicked("showNetwork");
             },
             "diagramExercise6RouterB"},
        };
        steps_ = steps;
        QTimer::singleShot(800, this, [this] { runStep(0); });
    }

private:
    // One view after the other: each is taken once its step has returned and
    // the window has painted, so a slow machine cannot mix two views.
    void runStep(std::size_t i) {
        if (i >= steps_.size()) {
            QApplication::quit();
            return;
        }
        steps_[i].first();
        QTimer::singleShot(700, this, [this, i] {
            const QString file = dir_ + "/" + steps_[i].second + ".png";
            if (!main_.grab().save(file)) {
                std::cerr << "kestro: cannot write the screenshot " << file.toStdString() << "\n";
                QApplication::exit(1);
                return;
            }
            runStep(i + 1);
        });
    }

    // Types the keys into the console; "\r" is Enter.
    void type(const std::string& keys) {
        QWidget* line = main_.bottomForm->TextWrite;
        for (char c : keys) {
            const bool enter = c == '\r';
            const int key = enter ? int(Qt::Key_Return) : int(QChar(c).toUpper().unicode());
            const QString text = enter ? QStringLiteral("\r") : QString(QChar(c));
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(line, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(line, &release);
        }
    }

    MDIForm1& main_;
    QString dir_;
    std::vector<std::pair<std::function<void()>, QString>> steps_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(title);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    bool skipCountdown = false;
    bool quitWhenShown = false;
    QString screenshots;
    for (int i = 1; i < argc; ++i) {
        // --skip-countdown: as if a key were pressed on the start-up window.
        if (std::strcmp(argv[i], "--skip-countdown") == 0)
            skipCountdown = true;
        // --quit-when-shown: ends once the main window is up (start-up time).
        else if (std::strcmp(argv[i], "--quit-when-shown") == 0)
            quitWhenShown = true;
        else if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc)
            screenshots = QString::fromLocal8Bit(argv[++i]);
    }

    // A folder that cannot be made ends the run before anything is shown.
    if (!screenshots.isEmpty() && !QDir().mkpath(screenshots)) {
        std::cerr << "kestro: cannot make the screenshot folder " << screenshots.toStdString()
                  << "\n";
        return 2;
    }

    const std::string dbPath = applicationFolder() + "/DataStore.db";
    std::string error;
    auto content = ContentStore::open(dbPath, error);
    if (!content) {
        // Without the content database there is no lesson to show.
        QApplication::restoreOverrideCursor();
        tell(error + "\n\nThe program cannot start without it; see the README for how to build it.",
             QMessageBox::Critical);
        return 1;
    }

    StartupIo startupIo;
    Simulator sim(startupIo, std::move(content));
    {
        frmSplash splash(sim);
        QApplication::restoreOverrideCursor();
        QEventLoop startup;
        QObject::connect(&splash, &QDialog::finished, &startup, &QEventLoop::quit);
        splash.show();
        if (skipCountdown)
            QTimer::singleShot(0, &splash, [&splash] { splash.done(QDialog::Accepted); });
        startup.exec();
    }

    MDIForm1 main(sim);
    main.show();
    main.start();
    Tour tour(main, screenshots);
    if (!screenshots.isEmpty())
        tour.start();
    if (quitWhenShown)
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int status = QApplication::exec();
    sim.setIo(startupIo);
    return status;
}
