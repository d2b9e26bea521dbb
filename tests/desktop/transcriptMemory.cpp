// The desktop's memory over a long day at the console: the main window on a
// fresh simulator, a student typing a mix of commands into the console's
// input line as key events (" --More--" answered with Space) until the
// transcript holds LINES lines. Prints the resident memory at the start and
// as the transcript grows, and the growth per line.
// Usage: kestro-transcript-memory [LINES] (default 200000)
#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "desktop/BottomForm.h"
#include "desktop/MDIForm1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

using namespace kestro;

namespace {

// VmRSS or VmHWM of this process, in KB.
long statusKb(const std::string& field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(field + ":"))
            return std::atol(line.c_str() + field.size() + 1);
    return 0;
}

void sendKey(QWidget* to, int qtKey, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(to, &release);
}

void typeChar(QWidget* to, char c) {
    if (c == '\n') {
        sendKey(to, Qt::Key_Return, QStringLiteral("\r"));
        return;
    }
    const int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : QChar(c).toUpper().unicode();
    sendKey(to, key, QString(QChar(c)));
}

// What a student types over and over: configuration, listings that page,
// help with bold lines, and short answers.
const char* const session = "enable\n"
                            "configure terminal\n"
                            "interface ethernet 0\n"
                            "ip address 192.168.1.1 255.255.255.0\n"
                            "no shutdown\n"
                            "exit\n"
                            "?\n"
                            "end\n"
                            "show running-config\n"
                            "show ip interface brief\n"
                            "show interfaces\n"
                            "show clock\n"
                            "show version\n"
                            "disable\n";

// Lines of the pane, counted on from the last call (the pane only grows
// here: the session never logs out).
struct LineCounter {
    std::size_t counted = 0;
    long lines = 0;
    long operator()(const std::string& text) {
        if (text.size() < counted)
            counted = 0, lines = 0;
        lines += static_cast<long>(
            std::count(text.begin() + static_cast<long>(counted), text.end(), '\n'));
        counted = text.size();
        return lines;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const long wanted = argc > 1 ? std::atol(argv[1]) : 200000;
    std::string error;
    auto content = ContentStore::open(applicationFolder() + "/DataStore.db", error);
    if (!content) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    RecordingConsole startupIo;
    Simulator sim(startupIo, std::move(content));
    int exitStatus = 0;
    {
        MDIForm1 main(sim);
        main.messageBoxHook = [](const std::string&) {};
        main.show();
        main.start();
        main.chooseMenuItem("routerStartUp");
        auto* console = main.findChild<BottomForm*>(QStringLiteral("BottomForm"));
        QLineEdit* input = console->TextWrite;
        console->setPauseScale(0);
        QCoreApplication::processEvents();
        typeChar(input, '\n');
        QCoreApplication::processEvents();

        LineCounter countLines;
        const long startRss = statusKb("VmRSS");
        std::printf("start: %ld lines, VmRSS %.1f MB\n", countLines(sim.output.text),
                    startRss / 1024.0);
        std::fflush(stdout);
        // Keys go in from the event loop, one a turn, so the window paints
        // and the core's waits run as they do for a student. The next turn
        // is queued before each key: a key may start a wait (" --More--")
        // that only a later turn answers.
        std::size_t next = 0;
        long reported = 0;
        long lines = 0;
        bool finished = false;
        std::function<void()> turn = [&] {
            if (finished)
                return;
            QTimer::singleShot(0, &app, turn);
            if (sim.busy() && !console->waitingForKey())
                return;
            if (console->waitingForKey()) {
                sendKey(input, Qt::Key_Space, QStringLiteral(" "));
                return;
            }
            lines = countLines(sim.output.text);
            if (lines >= reported + wanted / 10) {
                reported = lines;
                std::printf("%ld lines: VmRSS %.1f MB\n", lines, statusKb("VmRSS") / 1024.0);
                std::fflush(stdout);
            }
            if (lines >= wanted) {
                finished = true;
                app.quit();
                return;
            }
            typeChar(input, session[next]);
            next = session[next + 1] ? next + 1 : 0;
        };
        QTimer::singleShot(0, &app, turn);
        QApplication::exec();
        const long endRss = statusKb("VmRSS");
        std::printf("end: %ld lines, VmRSS %.1f MB, VmHWM %.1f MB, growth %.3f KB per line\n",
                    lines, endRss / 1024.0, statusKb("VmHWM") / 1024.0,
                    lines > 0 ? static_cast<double>(endRss - startRss) / static_cast<double>(lines)
                              : 0.0);
        main.close();
    }
    sim.setIo(startupIo);
    return exitStatus;
}
