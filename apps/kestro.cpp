// kestro: the desktop program. The start-up window reads the content
// database, then the main window hosts every lesson window.
#include "Simulator.h"
#include "console/BottomForm.h"
#include "shell/ErrorLog.h"
#include "shell/MDIForm1.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstring>

namespace {

using namespace kestro;

const QString title = QStringLiteral("Kestro Router Simulator");

// The console window does not exist before the main window: until then
// message boxes are shown directly and nothing waits.
class StartupIo : public ConsoleIo {
public:
    bool pause(int) override { return true; }
    std::optional<int> waitForKey() override { return std::nullopt; }
    int visibleLines() const override { return 24; }
    void messageBox(const std::string& text) override {
        QMessageBox::information(nullptr, title, QString::fromStdString(text), QMessageBox::Ok);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(title);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    bool skipCountdown = false;
    for (int i = 1; i < argc; ++i) {
        // --skip-countdown: as if a key were pressed on the start-up window.
        if (std::strcmp(argv[i], "--skip-countdown") == 0)
            skipCountdown = true;
    }

    const std::string dbPath = applicationFolder() + "/DataStore.db";
    std::string error;
    auto content = ContentStore::open(dbPath, error);
    if (!content) {
        // Without the content database there is no lesson to show.
        QApplication::restoreOverrideCursor();
        QMessageBox::critical(nullptr, title,
                              QString::fromStdString(error) +
                                  QStringLiteral("\n\nThe program cannot start without it; "
                                                 "see the README for how to build it."),
                              QMessageBox::Ok);
        return 1;
    }

    StartupIo startupIo;
    Simulator sim(startupIo, std::move(content));
    {
        frmSplash splash(sim);
        if (skipCountdown)
            QTimer::singleShot(0, &splash, &QDialog::accept);
        QApplication::restoreOverrideCursor();
        splash.exec();
    }

    MDIForm1 main(sim);
    main.show();
    main.start();
    const int status = QApplication::exec();
    sim.setIo(startupIo);
    return status;
}
