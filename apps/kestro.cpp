// kestro: the desktop program. The start-up window reads the content
// database, then the main window hosts every lesson window.
#include "QuitWhenShown.h"
#include "Simulator.h"
#include "desktop/BottomForm.h"
#include "desktop/MDIForm1.h"
#include "desktop/frmSplash.h"
#include "learning/Instructions.h"
#include "platform/ErrorLog.h"
#include "progress/Record.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <cstring>
#include <iostream>
#include <optional>

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(title);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    bool skipCountdown = false;
    bool quitWhenShown = false;
    std::string recordOption;
    for (int i = 1; i < argc; ++i) {
        // --skip-countdown: as if a key were pressed on the start-up window.
        if (std::strcmp(argv[i], "--skip-countdown") == 0)
            skipCountdown = true;
        // --quit-when-shown: ends once the main window has painted itself
        // (start-up time; see QuitWhenShown.h).
        else if (std::strcmp(argv[i], "--quit-when-shown") == 0)
            quitWhenShown = true;
        // --record FILE: the study record (also KESTRO_RECORD).
        else if (std::strcmp(argv[i], "--record") == 0 && i + 1 < argc)
            recordOption = argv[++i];
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
    if (skipCountdown) {
        // Nobody would see the start-up window: its picture is not even
        // decoded, only its texts are loaded.
        QApplication::restoreOverrideCursor();
        setWelcomeText(sim);
    } else {
        frmSplash splash(sim);
        QApplication::restoreOverrideCursor();
        QEventLoop startup;
        QObject::connect(&splash, &QDialog::finished, &startup, &QEventLoop::quit);
        splash.show();
        startup.exec();
    }

    // The study record outlives the main window that writes to it.
    std::unique_ptr<Record> record;
    MDIForm1 main(sim);
    std::optional<QuitWhenShown> marks;
    if (quitWhenShown)
        marks.emplace(main);
    main.show();
    main.start();
    if (quitWhenShown)
        QuitWhenShown::shown();
    // The record is opened once the main window is up: the first screen does
    // not need it. Without one the program runs as before and keeps nothing;
    // the notice of a record set aside is shown then.
    if (!quitWhenShown)
        QTimer::singleShot(0, &main, [&] {
            std::string notice;
            record = Record::open(recordPath(recordOption), notice);
            main.setRecord(record.get());
            if (!notice.empty())
                tell(notice, QMessageBox::Warning);
        });
    const int status = QApplication::exec();
    sim.setIo(startupIo);
    return status;
}
