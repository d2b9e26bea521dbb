// The desktop windows driven as a student drives them: key events into the
// console's input line, clicks on menus and buttons, and actions that arrive
// while a command is still waiting.
#include "Frontends.h"
#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "desktop/BottomForm.h"
#include "desktop/ChecklistWindow.h"
#include "desktop/MDIForm1.h"
#include "desktop/ProgressWindow.h"
#include "desktop/StudyCardsWindow.h"
#include "desktop/TranscriptView.h"
#include "desktop/networkDiagramForm.h"
#include "learning/Activities.h"
#include "learning/Instructions.h"
#include "progress/Record.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace kestro;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::unique_ptr<ContentStore> openContent() {
    std::string error;
    auto store = ContentStore::open(applicationFolder() + "/DataStore.db", error);
    if (!store)
        qFatal("%s", error.c_str());
    return store;
}

// The menu item that starts the activity of this name ("lab" is the first
// guided lab, as in the terminal console).
std::string menuItemFor(const std::string& activity) {
    const std::string wanted = activity == "lab" ? guidedLabNames().front() : activity;
    std::function<std::string(const std::vector<MenuItem>&)> find =
        [&](const std::vector<MenuItem>& items) -> std::string {
        for (const MenuItem& item : items) {
            if (item.children.empty() && item.argument == wanted)
                return item.name;
            if (std::string n = find(item.children); !n.empty())
                return n;
        }
        return {};
    };
    return find(menuTree());
}

// One program run: the main window over a fresh simulator.
struct Desktop {
    RecordingConsole startupIo;
    Simulator sim;
    MDIForm1 main;
    std::vector<std::string> messages;

    explicit Desktop(double pauseScale = 0) : sim(startupIo, openContent()), main(sim) {
        main.messageBoxHook = [this](const std::string& t) { messages.push_back(t); };
        console().setPauseScale(pauseScale);
        main.show();
        main.start();
    }
    ~Desktop() { sim.setIo(startupIo); }

    // A widget found by its object name, as a screen reader or a test tool
    // finds it; `in` narrows the search to one window (names repeat across
    // windows, e.g. "showAnswer").
    template <typename T = QWidget> T* named(const char* name, QObject* in = nullptr) {
        QObject* root = in ? in : &main;
        T* found = root->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget named %s", name);
        return found;
    }
    template <typename T = QWidget> T* named(const char* name, const char* window) {
        return named<T>(name, named(window));
    }
    BottomForm& console() { return main.console(); }
    QLineEdit* input() { return named<QLineEdit>("TextWrite", &console()); }
    TranscriptView* output() { return named<TranscriptView>("TextShow", &console()); }
    QScrollBar* consoleBar() { return named<QScrollBar>("VScroll1", &console()); }
    QString shownInput() { return input()->text(); }
    // What the window shows, as script mode prints it.
    std::string transcript(bool bold) {
        std::string out;
        for (int line = 0; line < output()->lineCount(); ++line) {
            if (line > 0)
                out += '\n';
            for (const TranscriptView::Run& run : output()->lineRuns(line)) {
                const bool strong = bold && run.bold;
                out += strong ? "<b>" : "";
                out += run.text.toStdString();
                out += strong ? "</b>" : "";
            }
        }
        return out + "\n" + shownInput().toStdString() + "\n";
    }
};

void sendKey(QWidget* to, QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods,
             const QString& text) {
    QKeyEvent e(type, qtKey, mods, text);
    QApplication::sendEvent(to, &e);
}

// A core key as the keyboard delivers it.
void typeKey(QWidget* to, const Key& k) {
    static const std::map<int, int> specials = {{keyBackspace, Qt::Key_Backspace},
                                                {keyTab, Qt::Key_Tab},
                                                {keyEnter, Qt::Key_Return},
                                                {keyEscape, Qt::Key_Escape},
                                                {keyEnd, Qt::Key_End},
                                                {keyHome, Qt::Key_Home},
                                                {keyArrowLeft, Qt::Key_Left},
                                                {keyArrowUp, Qt::Key_Up},
                                                {keyArrowRight, Qt::Key_Right},
                                                {keyArrowDown, Qt::Key_Down},
                                                {keyDelete, Qt::Key_Delete}};
    int qtKey = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
    if (k.ctrl) {
        qtKey = Qt::Key_A + (k.code - 'A');
        mods = Qt::ControlModifier;
        text = QString(QChar(static_cast<char16_t>(k.ch)));
    } else if (auto it = specials.find(k.code); it != specials.end() && k.code != keySpace) {
        qtKey = it->second;
        if (k.ch)
            text = QString(QChar(static_cast<char16_t>(k.ch)));
    } else {
        text = QString::fromUcs4(&k.ch, 1);
        qtKey = k.ch >= 'a' && k.ch <= 'z' ? Qt::Key_A + static_cast<int>(k.ch - 'a')
                                           : static_cast<int>(QChar(k.ch).toUpper().unicode());
    }
    sendKey(to, QEvent::KeyPress, qtKey, mods, text);
    sendKey(to, QEvent::KeyRelease, qtKey, mods, text);
}

// Runs `tick` over and over from the event loop until it answers false. The
// next run is queued before each run, so ticks also happen inside the waits
// the core runs while a command is in progress.
struct Feed {
    std::function<bool()> tick;
    bool finished = false;
};

void scheduleFeed(const std::shared_ptr<Feed>& feed) {
    QTimer::singleShot(0, qApp, [feed] {
        if (feed->finished)
            return;
        scheduleFeed(feed);
        if (!feed->tick())
            feed->finished = true;
    });
}

bool runFeed(std::function<bool()> tick) {
    auto feed = std::make_shared<Feed>();
    feed->tick = std::move(tick);
    scheduleFeed(feed);
    QDeadlineTimer deadline(120000);
    while (!feed->finished && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const bool done = feed->finished;
    feed->finished = true;
    return done;
}

// Types a keystroke script into the console window. A key goes in only when
// the console takes one (idle, or waiting at " --More--"); keys are fed from
// a timer so they also reach the waits the core runs inside a command.
void typeScript(Desktop& d, const std::vector<ScriptKey>& keys) {
    std::size_t next = 0;
    const bool done = runFeed([&] {
        BottomForm& c = d.console();
        if (d.sim.busy() && !c.waitingForKey())
            return true;
        if (next >= keys.size()) {
            // The end of the keys ends a pending " --More--" like another key.
            if (!c.waitingForKey())
                return false;
            typeKey(d.input(), Key::character('q'));
            return true;
        }
        const ScriptKey& k = keys[next++];
        switch (k.kind) {
        case ScriptKey::press:
            typeKey(d.input(), k.key);
            break;
        case ScriptKey::escDown:
            sendKey(d.input(), QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            break;
        case ScriptKey::escUp:
            sendKey(d.input(), QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            break;
        case ScriptKey::routerA:
            d.named<QPushButton>("routerButtonA")->click();
            break;
        case ScriptKey::routerB:
            d.named<QPushButton>("routerButtonB")->click();
            break;
        }
        return true;
    });
    QVERIFY2(done, "the keys were not all taken in time");
}

std::vector<ScriptKey> keysOf(const std::string& text) {
    std::string error;
    auto keys = parseScript(text, "keys", error);
    if (!keys)
        qFatal("%s", error.c_str());
    return *keys;
}

void typeLine(Desktop& d, const std::string& line) {
    typeScript(d, keysOf(line + "\n"));
}

QStringList options(const std::string& argsFile) {
    return QString::fromStdString(readFile(argsFile)).simplified().split(' ', Qt::SkipEmptyParts);
}

QString transcriptDir() {
    return QStringLiteral(KESTRO_SOURCE_DIR "/tests/transcripts");
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void transcripts_data();
    void transcripts();
    void morePrompt_data();
    void morePrompt();
    void scrollBarFollowsOutput();
    void lessonWindowsMadeWhenOpened();
    void focusStaysInInputLine();
    void panesByKeyboard();
    void routerSwitchKeepsEachConsole();
    void diagramViewport_data();
    void diagramViewport();
    void menuCaptions();
    void sidePanelAndWindows_data();
    void sidePanelAndWindows();
    void flashCardsThroughTheDeck();
    void typingWithALongTranscript();
    void actionsDuringWaits_data();
    void actionsDuringWaits();
    void keyboardNeverLost();
    void pasteTypesKeys_data();
    void pasteTypesKeys();
    void assistiveTechnology();
    void checkMyWork();
    void studyRecord();
};

void DesktopTest::transcripts_data() {
    QTest::addColumn<QString>("keys");
    for (const QString& f : QDir(transcriptDir()).entryList({"*.keys"}, QDir::Files))
        QTest::newRow(f.toUtf8().constData()) << transcriptDir() + "/" + f;
}

// What the window shows of a script transcript: the active router's part of
// a two-router one, from its last boot on (script mode keeps the panes a
// logout or a reload cleared; the window shows the pane as it is).
std::string windowPart(std::string transcript, RouterId active) {
    const std::string heading = "===== " + std::string(routerName(active)) + " =====\n";
    if (const std::size_t at = transcript.find(heading); at != std::string::npos) {
        transcript = transcript.substr(at + heading.size());
        if (const std::size_t next = transcript.find("\n===== "); next != std::string::npos)
            transcript = transcript.substr(0, next + 1);
    }
    if (const std::size_t boot = transcript.rfind("System Bootstrap, Version");
        boot != std::string::npos)
        transcript = transcript.substr(boot);
    return transcript;
}

void DesktopTest::transcripts() {
    QFETCH(QString, keys);
    const std::string base = keys.chopped(5).toStdString();
    std::string activity = "lab";
    long seed = -1;
    int lines = 1000000;
    bool bold = false;
    const QStringList args = options(base + ".args");
    // A study session of flash cards types into no console.
    if (args.contains("--cards"))
        QSKIP("a study session, not a console transcript");
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--activity")
            activity = args[++i].toStdString();
        else if (args[i] == "--seed")
            seed = args[++i].toLong();
        else if (args[i] == "--lines")
            lines = args[++i].toInt();
        else if (args[i] == "--bold")
            bold = true;
    }
    std::string error;
    auto script = parseScript(readFile(keys.toStdString()), keys.toStdString(), error);
    QVERIFY2(script, error.c_str());

    Desktop d;
    d.console().setVisibleLinesOverride(lines);
    if (seed >= 0)
        d.sim.random.seed(static_cast<std::mt19937::result_type>(seed));
    d.main.chooseMenuItem(menuItemFor(activity));
    QVERIFY(d.main.windowShown(&d.console()));
    typeScript(d, *script);
    QCOMPARE(QString::fromStdString(d.transcript(bold)),
             QString::fromStdString(windowPart(readFile(base + ".expected"), d.sim.activeRouter)));
}

void DesktopTest::morePrompt_data() {
    // The key at " --More--" and how many further lines it lets through
    // before the listing asks again (-1: the listing ends).
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("linesAfter");
    QTest::newRow("Space shows the next page") << " " << 4;
    QTest::newRow("Enter shows one more line") << "\n" << 1;
    QTest::newRow("another key ends the listing") << "x" << -1;
}

void DesktopTest::morePrompt() {
    QFETCH(QString, key);
    QFETCH(int, linesAfter);
    Desktop d;
    BottomForm& c = d.console();
    c.setVisibleLinesOverride(4);
    d.main.chooseMenuItem("routerStartUp");
    typeLine(d, "");
    // "?" lists the user-mode commands, far more than four lines. What
    // happens at " --More--" is checked from the feeder, inside the wait.
    int before = 0, after = 0;
    QString firstPrompt, secondPrompt;
    bool readOnlyWhileWaiting = false;
    int step = 0;
    QVERIFY(runFeed([&] {
        if (step == 0 && !d.sim.busy()) {
            ++step;
            typeKey(d.input(), Key::character('?'));
        } else if (step == 1 && c.waitingForKey()) {
            ++step;
            firstPrompt = d.shownInput();
            readOnlyWhileWaiting = d.input()->isReadOnly();
            before = d.output()->lineCount();
            typeKey(d.input(),
                    key == "\n" ? Key::special(keyEnter) : Key::character(key.at(0).unicode()));
        } else if (step == 2 && (c.waitingForKey() || !d.sim.busy())) {
            ++step;
            secondPrompt = d.shownInput();
            after = d.output()->lineCount();
            if (c.waitingForKey())
                typeKey(d.input(), Key::character('q'));
        } else if (step == 3 && !d.sim.busy()) {
            return false;
        }
        return true;
    }));
    QCOMPARE(firstPrompt, QStringLiteral(" --More--"));
    QVERIFY(readOnlyWhileWaiting);
    if (linesAfter < 0) {
        QCOMPARE(secondPrompt, QStringLiteral("Router>"));
        QCOMPARE(after, before);
    } else {
        QCOMPARE(secondPrompt, QStringLiteral(" --More--"));
        QCOMPARE(after, before + linesAfter);
    }
    QCOMPARE(d.shownInput(), QStringLiteral("Router>"));
    QVERIFY(!d.input()->isReadOnly());
}

void DesktopTest::lessonWindowsMadeWhenOpened() {
    // Not through Desktop, which makes the console to set its pauses.
    RecordingConsole io;
    Simulator sim(io, openContent());
    setWelcomeText(sim); // as the start-up window leaves it
    MDIForm1 main(sim);
    main.show();
    main.start();
    // The first screen makes the welcome text alone, and shows it.
    for (const char* name : {"BottomForm", "TopForm", "MultiRouterTopForm", "showAnswerForm",
                             "flashCardForm", "networkDiagramForm"})
        QVERIFY2(main.findChild<QWidget*>(name) == nullptr, name);
    auto* welcome = main.findChild<QWidget*>("welcomeForm");
    QVERIFY(main.windowShown(welcome));
    QVERIFY(!welcome->findChild<QTextEdit*>("RichTextBox1")->toPlainText().isEmpty());
    // Made when the lab opens, the console shows what the core printed
    // before it existed, and takes keys.
    main.chooseMenuItem(menuItemFor("lab"));
    auto* console = main.findChild<BottomForm*>("BottomForm");
    QVERIFY(console != nullptr && main.windowShown(console));
    QVERIFY(main.windowShown(main.findChild<QWidget*>("TopForm")));
    QVERIFY(!sim.output.text.empty());
    QCOMPARE(console->TextShow->lineCount(),
             static_cast<int>(std::count(sim.output.text.begin(), sim.output.text.end(), '\n')) +
                 1);
    typeKey(console->TextWrite, Key::special(keyEnter));
    for (char c : {'e', 'n'})
        typeKey(console->TextWrite, Key::character(c));
    QCOMPARE(QString::fromStdString(sim.input.text), QStringLiteral("Router>en"));
    sim.setIo(io);
}

void DesktopTest::scrollBarFollowsOutput() {
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    QScrollBar* bar = d.consoleBar();
    const int visible = d.console().visibleLines();
    // The boot screen fits: no scrolling yet.
    const int bootLines = d.output()->lineCount();
    QVERIFY2(bootLines - 1 <= visible || bar->isEnabled(), "bar state follows the boot screen");
    typeLine(d, "");
    for (int i = 0; i < visible + 5; ++i)
        typeLine(d, "show clock");
    const int lastLine = d.output()->lineCount() - 1;
    QVERIFY(bar->isEnabled());
    QCOMPARE(bar->maximum(), lastLine - d.console().visibleLines());
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(bar->pageStep() >= 1);
    // The newest line is in view.
    QScrollBar* inner = d.output()->verticalScrollBar();
    QCOMPARE(inner->value(), inner->maximum());
    bar->setValue(0);
    QCOMPARE(inner->value(), 0);
}

void DesktopTest::focusStaysInInputLine() {
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    QApplication::setActiveWindow(&d.main);
    QTRY_COMPARE(QApplication::focusWidget(), d.input());
    // Tab completes instead of moving the focus.
    typeLine(d, "");
    typeLine(d, "en");
    typeKey(d.input(), Key::character('s'));
    typeKey(d.input(), Key::character('h'));
    QTest::keyClick(d.input(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.input());
    QCOMPARE(d.shownInput(), QStringLiteral("Router#show "));
    // Clicks into the output pane, the scroll bar and the instructions leave
    // the focus where it is.
    for (QWidget* w :
         std::initializer_list<QWidget*>{d.output()->viewport(), d.consoleBar(),
                                         d.named<QTextEdit>("RichTextBox1", "TopForm")->viewport()})
        QTest::mouseClick(w, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), d.input());
}

void DesktopTest::routerSwitchKeepsEachConsole() {
    Desktop d;
    d.main.chooseMenuItem("troubleshooting4");
    QVERIFY(d.main.windowShown(d.named("MultiRouterTopForm")));
    typeLine(d, "");
    typeLine(d, "enable");
    typeScript(d, keysOf("show ver\\"));
    const QString aText = d.output()->toPlainText();
    QCOMPARE(d.shownInput(), QStringLiteral("RouterA#show ver"));

    d.named<QPushButton>("routerButtonB")->click();
    QVERIFY(d.output()->toPlainText().contains("RouterB con0 is now available"));
    typeLine(d, "");
    typeScript(d, keysOf("ena\\"));
    const QString bText = d.output()->toPlainText();

    d.named<QPushButton>("routerButtonA")->click();
    QCOMPARE(d.output()->toPlainText(), aText);
    QCOMPARE(d.shownInput(), QStringLiteral("RouterA#show ver"));
    d.named<QPushButton>("routerButtonB")->click();
    QCOMPARE(d.output()->toPlainText(), bText);
    QCOMPARE(d.shownInput(), QStringLiteral("RouterB>ena"));

    // At a question the switch is refused and nothing changes.
    typeLine(d, "");
    typeLine(d, "enable");
    typeLine(d, "configure");
    d.messages.clear();
    d.named<QPushButton>("routerButtonA")->click();
    QCOMPARE(d.messages, std::vector<std::string>{" Please switch router when at prompt"});
    QCOMPARE(d.sim.activeRouter, RouterId::b);
    QCOMPARE(d.shownInput(),
             QStringLiteral("Configuring from terminal, memory, or network [terminal]?"));
}

void DesktopTest::diagramViewport_data() {
    // Window 1000 x 800: the viewport at most 900 x 640.
    QTest::addColumn<int>("imageWidth");
    QTest::addColumn<int>("imageHeight");
    QTest::addColumn<QRect>("viewport");
    QTest::addColumn<int>("hMax");
    QTest::addColumn<int>("vMax");
    QTest::newRow("smaller: shrunk and centred")
        << 400 << 300 << QRect(300, 250, 400, 300) << 0 << 0;
    QTest::newRow("taller only") << 500 << 2000 << QRect(250, 80, 500, 640) << 0 << 1360;
    QTest::newRow("wider only") << 3000 << 200 << QRect(50, 300, 900, 200) << 2100 << 0;
    QTest::newRow("both") << 1200 << 900 << QRect(50, 80, 900, 640) << 300 << 260;
    QTest::newRow("beyond 16 bits: scaled")
        << 40000 << 100 << QRect(50, 350, 900, 100) << (40000 - 900 + 1) / 2 << 0;
    QTest::newRow("missing picture") << 0 << 0 << QRect(500, 400, 0, 0) << 0 << 0;
}

void DesktopTest::diagramViewport() {
    QFETCH(int, imageWidth);
    QFETCH(int, imageHeight);
    QFETCH(QRect, viewport);
    QFETCH(int, hMax);
    QFETCH(int, vMax);
    Desktop d;
    // The diagram window on its own: the main window makes it only when a
    // diagram is opened.
    networkDiagramForm form(d.main);
    QWidget* viewportArea = d.named("Picture1", &form);
    QWidget* picture = d.named("Picture2", &form);
    QScrollBar* across = d.named<QScrollBar>("HScroll1", &form);
    QScrollBar* down = d.named<QScrollBar>("VScroll1", &form);
    form.resize(1000, 800);
    QTemporaryDir dir;
    QString path = dir.filePath("diagram.png");
    if (imageWidth > 0) {
        QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(path));
    } else {
        path = dir.filePath("missing.jpg");
    }
    form.loadPicture(path);
    QCOMPARE(viewportArea->geometry(), viewport);
    QCOMPARE(across->isVisibleTo(&form), hMax > 0);
    QCOMPARE(down->isVisibleTo(&form), vMax > 0);
    QCOMPARE(across->maximum(), hMax);
    QCOMPARE(down->maximum(), vMax);
    // At the maximum the picture's far edge meets the viewport's edge.
    across->setValue(hMax);
    down->setValue(vMax);
    if (hMax > 0)
        QCOMPARE(picture->x() + imageWidth, viewport.width());
    if (vMax > 0)
        QCOMPARE(picture->y() + imageHeight, viewport.height());
}

// F6 and Shift+F6 move between the instructions and the console's input
// line; in the instructions the keys scroll and type nothing.
void DesktopTest::panesByKeyboard() {
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    d.main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.main));
    QTRY_COMPARE(QApplication::focusWidget(), d.input());
    QTextEdit* pane = d.named<QTextEdit>("RichTextBox1", "TopForm");
    QCOMPARE(pane->accessibleName(), QStringLiteral("Instructions"));
    QCOMPARE(d.input()->accessibleName(), QStringLiteral("Router command line"));

    QTest::keyClick(d.input(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), pane);
    QVERIFY(pane->verticalScrollBar()->maximum() > 0);
    QTest::keyClick(pane, Qt::Key_PageDown);
    QVERIFY(pane->verticalScrollBar()->value() > 0);
    const std::string before = d.sim.output.text;
    QTest::keyClick(pane, Qt::Key_X);
    QTest::keyClick(pane, Qt::Key_Return);
    QCOMPARE(d.sim.output.text, before);
    QCOMPARE(d.sim.input.text, std::string());

    QTest::keyClick(pane, Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), d.input());
    QTest::keyClick(d.input(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), pane);
    QTest::keyClick(pane, Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), d.input());
}

void DesktopTest::menuCaptions() {
    Desktop d;
    QCOMPARE(d.main.menuAction("disclaimer")->text(), QStringLiteral("Disclaimer && Terms Of Use"));
    QCOMPARE(d.main.menuAction("testingConnectivity")->text(),
             QStringLiteral("Testing Connectivity "));
    QCOMPARE(d.main.windowTitle(), QString::fromStdString(mainWindowCaption()));
    QVERIFY(d.main.windowTitle().startsWith("Kestro Router Simulator (https://"));
    QCOMPARE(d.main.size(), QGuiApplication::primaryScreen()->availableGeometry().size());
    QCOMPARE(d.main.minimumSize(), d.main.maximumSize());

    // From the console's input line, Alt with a letter presses a side-panel
    // control and F10 opens the menu bar.
    d.main.chooseMenuItem("routerStartUp");
    d.main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.main));
    // A button pressed by its key animates its click for a moment.
    QTest::keyClick(d.input(), Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(d.sim.windows.networkDiagramForm);
    QTest::keyClick(d.main.focusWidget(), Qt::Key_I, Qt::AltModifier);
    QTRY_VERIFY(!d.sim.windows.networkDiagramForm);
    QVERIFY(d.sim.windows.BottomForm);
    QTest::keyClick(d.input(), Qt::Key_F10);
    QVERIFY(d.main.menuBar()->activeAction() != nullptr);
    QCOMPARE(d.main.menuBar()->activeAction()->text(), QStringLiteral("Labs"));
}

// The side panel's enabled controls as letters, in panel order:
// Show Instructions, Show Answer, Show Network, Home page, the mode Frame,
// Learn Mode, Test Mode; "-" for a disabled one.
QString panelCode(Desktop& d) {
    QString code;
    const std::pair<const char*, char> controls[] = {
        {"showInstructions", 'I'}, {"showAnswer", 'A'}, {"showNetwork", 'N'},
        {"homePageOnWeb", 'H'},    {"Frame1", 'F'},     {"learnMode", 'L'},
        {"testMode", 'T'}};
    for (auto [name, letter] : controls)
        code += d.named(name, "SideMenu")->isEnabled() ? QChar(letter) : QChar('-');
    return code;
}

// The lesson windows shown: Top, Multi-router, Bottom (console), Welcome,
// flash Cards, Report, Diagram.
QString windowsCode(Desktop& d) {
    QString code;
    // A lesson window not yet opened has not been made.
    const std::pair<const char*, char> forms[] = {
        {"TopForm", 'T'},           {"MultiRouterTopForm", 'M'}, {"BottomForm", 'B'},
        {"welcomeForm", 'W'},       {"flashCardForm", 'C'},      {"showAnswerForm", 'R'},
        {"networkDiagramForm", 'D'}};
    for (auto [name, letter] : forms)
        if (QWidget* w = d.main.findChild<QWidget*>(QString::fromLatin1(name));
            w != nullptr && d.main.windowShown(w)) {
            code += QChar(letter);
            // Every shown window is announced by a title.
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w->parentWidget());
            if (a == nullptr || a->text(QAccessible::Name).isEmpty())
                code += QStringLiteral("(untitled)");
        }
    return code;
}

void DesktopTest::sidePanelAndWindows_data() {
    // Steps ("menu item" or "#side panel control"), then the panel and the
    // windows shown after the last step.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("windows");
    auto row = [](const char* name, QStringList steps, const char* panel, const char* windows) {
        QTest::newRow(name) << steps << QString(panel) << QString(windows);
    };
    row("start-up", {}, "---H---", "W");
    row("lab", {"routerStartUp"}, "I-NHFLT", "TB");
    row("lab, network", {"routerStartUp", "#showNetwork"}, "I--H---", "D");
    row("lab, network, back", {"routerStartUp", "#showNetwork", "#showInstructions"}, "I-NH---",
        "TB");
    row("test", {"test1"}, "IANH---", "TB");
    row("test, network", {"test1", "#showNetwork"}, "IA-H---", "D");
    row("test, network, back", {"test1", "#showNetwork", "#showInstructions"}, "IANHFLT", "TB");
    row("test submitted", {"test1", "#showAnswer"}, "--NH---", "R");
    row("report, network", {"test1", "#showAnswer", "#showNetwork"}, "-A-H---", "D");
    row("report, network, report", {"test1", "#showAnswer", "#showNetwork", "#showAnswer"},
        "--NH---", "R");
    row("exercise 2", {"troubleShooting2"}, "I-NHFLT", "TB");
    row("exercise 2, test mode", {"troubleShooting2", "#testMode"}, "I-NHFLT", "TB");
    row("exercise 4", {"troubleshooting4"}, "I-NHFLT", "MB");
    row("exercise 4, network", {"troubleshooting4", "#showNetwork"}, "I--H---", "D");
    row("flash cards over a lab", {"routerStartUp", "loadFlashCards"}, "---H---", "C");
    row("study plan", {"test2", "studyPlan"}, "---H---", "W");
    row("disclaimer", {"disclaimer"}, "---H---", "W");
}

void DesktopTest::sidePanelAndWindows() {
    QFETCH(QStringList, steps);
    QFETCH(QString, panel);
    QFETCH(QString, windows);
    Desktop d;
    for (const QString& step : steps) {
        if (step.startsWith('#'))
            d.main.sidePanelClicked(*sidePanelControlNamed(step.mid(1).toStdString()));
        else
            d.main.chooseMenuItem(step.toStdString());
    }
    QCOMPARE(panelCode(d), panel);
    QCOMPARE(windowsCode(d), windows);
}

void DesktopTest::flashCardsThroughTheDeck() {
    Desktop d;
    d.main.chooseMenuItem("loadFlashCards");
    QObject* cards = d.named("flashCardForm");
    QPushButton* back = d.named<QPushButton>("back", cards);
    QPushButton* forward = d.named<QPushButton>("forward", cards);
    QPlainTextEdit* answerBox = d.named<QPlainTextEdit>("answerBox", cards);
    const std::size_t size = d.sim.learning.deck.size();
    QVERIFY(size > 2);
    QApplication::setActiveWindow(&d.main);
    QVERIFY(!back->isEnabled());
    QVERIFY(forward->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), forward);
    QCOMPARE(answerBox->toPlainText(), QStringLiteral("Answer: "));
    // Space reveals, twice shows it once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    const QString answer = answerBox->toPlainText();
    QVERIFY(answer.startsWith("Answer: \n\n"));
    QCOMPARE(answer.count("Answer: "), 1);
    // Right to the last card: both arrows enabled on the way.
    for (std::size_t i = 1; i < size; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(back->isEnabled());
        QCOMPARE(forward->isEnabled(), i + 1 < size);
        QCOMPARE(answerBox->toPlainText(), QStringLiteral("Answer: "));
    }
    // On the last card a click into a box sends the focus to "Show Answer".
    QTest::mouseClick(d.named<QPlainTextEdit>("questionBox", cards)->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), d.named("showAnswer", cards));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QVERIFY(forward->isEnabled());
    QCOMPARE(d.sim.learning.deck.position(), size - 2);
}

void DesktopTest::typingWithALongTranscript() {
    // A key shown in the input line and a printed line appended, with a
    // 100,000-line transcript in the pane. The figures are printed; the
    // limits (one frame for a key, 2 ms for a line) get a margin for a busy
    // test machine.
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    typeLine(d, "");
    std::string transcript;
    for (int i = 0; i < 100000; ++i)
        transcript += "\r\nRouter#show clock " + std::to_string(i);
    d.sim.output.replace(transcript);
    d.console().syncFromCore();
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    constexpr int keys = 200;
    for (int i = 0; i < keys; ++i) {
        typeKey(d.input(), Key::character(i % 2 ? 'a' : 'b'));
        d.input()->repaint();
    }
    const double perKey = t.nsecsElapsed() / 1e6 / keys;
    constexpr int lines = 1000;
    t.restart();
    d.main.runCore([&] {
        for (int i = 0; i < lines; ++i)
            printLine(d.sim, "Ethernet0 is up, line protocol is up");
    });
    const double perLine = t.nsecsElapsed() / 1e6 / lines;
    qInfo("typed key shown: %.3f ms; printed line appended: %.3f ms (100,000-line transcript)",
          perKey, perLine);
    QVERIFY(perKey < 3 * 16);
    QVERIFY(perLine < 3 * 2);
}

void DesktopTest::actionsDuringWaits_data() {
    // A command that waits, and what arrives during the wait.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("action");
    const char* commands[] = {"ping 192.160.5.5", "?", "reload"};
    for (const char* c : commands)
        for (const char* a : {"menu", "router", "close"})
            QTest::newRow((std::string(c) + " / " + a).c_str()) << c << a;
}

void DesktopTest::actionsDuringWaits() {
    QFETCH(QString, command);
    QFETCH(QString, action);
    Desktop d(1.0);
    d.console().setVisibleLinesOverride(4);
    d.main.chooseMenuItem(action == "router" ? "troubleshooting4" : "routerStartUp");
    typeLine(d, "");
    typeLine(d, "enable");
    const bool reload = command == "reload";
    // The action arrives while the command waits (a pause or " --More--").
    bool acted = false;
    QTimer::singleShot(150, [&] {
        QVERIFY(d.sim.busy());
        acted = true;
        if (action == "menu")
            d.main.chooseMenuItem("routerModes");
        else if (action == "router")
            d.named<QPushButton>("routerButtonB")->click();
        else
            d.main.close();
    });
    typeScript(d, keysOf(command.toStdString() + "\n" + (reload ? "y\n" : "")));
    QTRY_VERIFY(acted && !d.sim.busy());
    if (action == "close") {
        QVERIFY(!d.main.isVisible());
        return;
    }
    // The console is usable afterwards.
    d.console().setPauseScale(0);
    QVERIFY(d.input()->hasFocus() || true);
    QVERIFY(!d.input()->isReadOnly());
    typeLine(d, "");
    typeLine(d, "show clock");
    QVERIFY(d.shownInput().endsWith(">") || d.shownInput().endsWith("#"));
}

// The keyboard stays with the console: Esc after F10 gives it back, and an
// Alt shortcut whose control is disabled types nothing into the router line.
void DesktopTest::keyboardNeverLost() {
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    d.main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.main));
    QTRY_COMPARE(QApplication::focusWidget(), d.input());
    typeLine(d, "");
    QTest::keyClick(d.input(), Qt::Key_F10);
    QTest::qWait(100); // the menu bar settles, as it does for a person
    QCOMPARE(QApplication::focusWidget(), d.main.menuBar());
    QTest::keyClick(d.main.menuBar(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), d.input());
    QVERIFY(d.main.menuBar()->activeAction() == nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "en");
    QCOMPARE(d.shownInput(), QStringLiteral("Router>en"));

    // Submit is disabled in a lab; after Alt+N and Alt+I so are the modes.
    QVERIFY(!d.named("showAnswer", "SideMenu")->isEnabled());
    for (Qt::Key key : {Qt::Key_A, Qt::Key_N, Qt::Key_I, Qt::Key_T, Qt::Key_L, Qt::Key_A}) {
        QTest::keyClick(d.main.focusWidget(), key, Qt::AltModifier);
        QTest::qWait(50); // a button pressed by its key animates its click
    }
    QTRY_COMPARE(QApplication::focusWidget(), d.input());
    QCOMPARE(d.shownInput(), QStringLiteral("Router>en"));
    QCOMPARE(d.sim.input.text, std::string("Router>en"));
}

void DesktopTest::pasteTypesKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("input");
    const QString config = "enable\r\nconfigure terminal\nhostname Pasted\rint e0\n";
    QTest::newRow("Ctrl+V, a configuration")
        << int(Qt::Key_V) << int(Qt::ControlModifier) << config << "pasted(config-if)#";
    QTest::newRow("Shift+Insert, a configuration")
        << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << config << "pasted(config-if)#";
    QTest::newRow("a word without a line end")
        << int(Qt::Key_V) << int(Qt::ControlModifier) << "sh\tver"
        << "Router>show ver";
    // A listing that pages takes the pasted keys that follow at " --More--".
    QTest::newRow("a paged listing") << int(Qt::Key_V) << int(Qt::ControlModifier) << "?q\nenable\n"
                                     << "Router#";
}

void DesktopTest::pasteTypesKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, clipboard);
    QFETCH(QString, input);
    Desktop d;
    d.console().setVisibleLinesOverride(4);
    d.main.chooseMenuItem("routerStartUp");
    typeLine(d, "");
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(d.input(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(d.shownInput(), input);
    QVERIFY(!d.sim.busy());
}

QTEST_MAIN(DesktopTest)
// Driven through the accessibility interface, as a screen reader or a GUI
// test tool drives the windows.
void DesktopTest::assistiveTechnology() {
    Desktop d;
    d.main.chooseMenuItem("routerStartUp");
    auto title = [&](const char* form) {
        return QAccessible::queryAccessibleInterface(d.named(form)->parentWidget())
            ->text(QAccessible::Name);
    };
    QCOMPARE(title("TopForm"), QStringLiteral("Router StartUp"));
    QCOMPARE(title("BottomForm"), QStringLiteral("Router console"));

    // Test Mode chosen by the toggle action, which does not click.
    auto* pane = d.named<QTextEdit>("RichTextBox1", "TopForm");
    const QString learnText = pane->toPlainText();
    QAccessibleInterface* testMode =
        QAccessible::queryAccessibleInterface(d.named<QRadioButton>("testMode"));
    testMode->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!d.sim.sidePanel.learnModeSelected);
    QVERIFY(pane->toPlainText() != learnText);

    // The router choice is one of two radio buttons; pressing B chooses it.
    d.main.chooseMenuItem("troubleshooting4");
    QAccessibleInterface* b =
        QAccessible::queryAccessibleInterface(d.named<QPushButton>("routerButtonB"));
    QCOMPARE(b->role(), QAccessible::RadioButton);
    QVERIFY(!b->state().checked);
    b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(d.sim.activeRouter, RouterId::b);
    QVERIFY(b->state().checked);

    // The output pane reads as read-only text, line by line. (That new
    // output is announced cannot be seen here: the offscreen platform has
    // no accessibility bridge to take the event.)
    QAccessibleInterface* out = QAccessible::queryAccessibleInterface(d.output());
    QCOMPARE(out->text(QAccessible::Name), QStringLiteral("Router console output"));
    QVERIFY(out->state().readOnly && out->state().multiLine);
    QAccessibleTextInterface* text = out->textInterface();
    QVERIFY(text != nullptr);
    typeLine(d, "");
    const int count = text->characterCount();
    typeLine(d, "show clock");
    QCOMPARE(text->text(0, text->characterCount()), d.output()->toPlainText());
    int start = 0, end = 0;
    QCOMPARE(text->textAtOffset(count + 1, QAccessible::LineBoundary, &start, &end),
             QStringLiteral("RouterB>show clock\n"));
    QCOMPARE(std::make_pair(start, end), std::make_pair(count + 1, count + 20));
    QCOMPARE(text->textAtOffset(count + 2, QAccessible::WordBoundary, &start, &end),
             QStringLiteral("RouterB"));
    QCOMPARE(out->text(QAccessible::Value), d.output()->toPlainText());

    // The mouse selects text (the focus stays in the input line) and the
    // context menu's Copy puts it on the clipboard.
    QWidget* viewport = d.output()->viewport();
    d.consoleBar()->setValue(0);
    const QRect first = d.output()->characterRect(d.output()->lineStart(0));
    QVERIFY(!first.isEmpty());
    const QPoint from(first.left() + 1, first.center().y());
    const QPoint to = from + QPoint(first.width() * 6, 0);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    QCOMPARE(d.output()->selectedText(), d.output()->lineText(0).left(6));
    d.output()->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), d.output()->lineText(0).left(6));
    QCOMPARE(QApplication::focusWidget(), d.input());
}

// The checklist as a student meets it: the progress on the side panel, the
// window with its ticks, and the hint ladder down to the solution.
void DesktopTest::checkMyWork() {
    Desktop d;
    d.main.chooseMenuItem("studyPlan");
    QVERIFY(!d.named<QPushButton>("checkMyWork")->isVisible());
    d.main.chooseMenuItem("settingHostname");
    auto* bar = d.named<QProgressBar>("checklistProgress");
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->value(), 0);
    const int total = bar->maximum();
    QVERIFY(total >= 3);

    d.named<QPushButton>("checkMyWork")->click();
    auto* window = d.named<ChecklistWindow>("checklistWindow");
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Check My Work"));
    auto* items = d.named<QTextEdit>("checklistItems", window);
    auto* hint = d.named<QPushButton>("checklistHint", window);
    QVERIFY(items->toPlainText().contains(QStringLiteral("not done yet")));
    // Hint after hint, then the step's solution.
    for (int press = 0; press < 3; ++press)
        hint->click();
    QCOMPARE(items->toPlainText().count(QStringLiteral("Hint:")), 3);
    hint->click();
    QVERIFY(items->toPlainText().contains(QStringLiteral("Solution:")));

    typeLine(d, "");
    typeLine(d, "enable");
    QCOMPARE(bar->value(), 1);
    QVERIFY(d.named<QLabel>("checklistProgressLine", window)
                ->text()
                .startsWith(QStringLiteral("1 of ")));
    QVERIFY(bar->accessibleDescription().startsWith(QStringLiteral("1 of ")));
}

// The study record seen from the windows: a lab done is ticked in the menu,
// a lab left configured is offered back, tests and cards are kept, and the
// progress view resets, exports and imports.
void DesktopTest::studyRecord() {
    QTemporaryDir dir;
    std::string notice;
    auto record = Record::open(dir.filePath("record.db").toStdString(), notice);
    QVERIFY(record);
    {
        Desktop d;
        d.main.setRecord(record.get());
        d.main.chooseMenuItem("settingHostname");
        auto* bar = d.named<QProgressBar>("checklistProgress");
        // The lab's walk-through, line by line: its progress goes into the
        // record as it rises, and the last step completes the lab.
        for (const char* line : {"", "enable", "hostname Branch1", "configure terminal", "hostname",
                                 "hostname branch 1", "hostname Branch1", "end"})
            typeLine(d, line);
        QVERIFY(record->activity("settingHostname")->checklistDone >= 2);
        QVERIFY(!record->activity("settingHostname")->completed);
        for (const char* line : {"show running-config", "exit", ""})
            typeLine(d, line);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(record->activity("settingHostname")->completed);
        // A lab only looked at is not offered back; one with commands typed is.
        d.main.chooseMenuItem("routerModes");
        typeLine(d, "");
        d.main.chooseMenuItem("motdBanner");
        QVERIFY(!record->keptState("routerModes"));
        typeLine(d, "");
        typeLine(d, "enable");
        typeLine(d, "configure terminal");
        typeLine(d, "hostname Kept");
        d.main.chooseMenuItem("loadFlashCards");
        QVERIFY(record->keptState("motdBanner").has_value());

        // The menu shows what the record holds once it opens.
        QMenu* labs = d.named<QMenu>("mnuLabs");
        QMetaObject::invokeMethod(labs, "aboutToShow");
        QVERIFY(d.main.menuAction("settingHostname")->isChecked());
        QAction* motd = d.main.menuAction("motdBanner");
        QVERIFY(!motd->isChecked());
        QVERIFY(motd->toolTip().endsWith(QStringLiteral("% done")));

        // Leaving and coming back: Resume puts the kept router back.
        int asked = 0;
        d.main.resumeHook = [&] { return ++asked > 0; };
        d.main.chooseMenuItem("motdBanner");
        QCOMPARE(asked, 1);
        QCOMPARE(QString::fromStdString(d.sim.liveRouter.hostname).toLower(),
                 QStringLiteral("kept"));
        // Start again: fresh routers, nothing kept.
        d.main.chooseMenuItem("loadFlashCards");
        d.main.resumeHook = [] { return false; };
        d.main.chooseMenuItem("motdBanner");
        QCOMPARE(QString::fromStdString(d.sim.liveRouter.hostname).toLower(),
                 QStringLiteral("router"));
        QVERIFY(!record->keptState("motdBanner"));

        // A submitted test is an attempt.
        d.main.chooseMenuItem("test1");
        d.named<QPushButton>("showAnswer", "SideMenu")->click();
        QCOMPARE(record->testAttempts("test1").size(), std::size_t{1});
        d.main.chooseMenuItem("test1");
        for (const char* line : {"", "enable", "configure terminal", "hostname test1"})
            typeLine(d, line);
        d.named<QPushButton>("showAnswer", "SideMenu")->click();
        QCOMPARE(record->testAttempts("test1").size(), std::size_t{2});

        // Study Due Cards by keys: 3 before the answer does nothing, Space
        // shows it, 3 rates Good; Space on the focused Good button of the
        // next card only shows its answer.
        d.main.chooseMenuItem("studyDueCards");
        auto* study = d.named<StudyCardsWindow>("studyCardsWindow");
        auto* good = d.named<QPushButton>("studyGood", study);
        QVERIFY(study && study->isVisible());
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(study->focusWidget() ? study->focusWidget() : study, key);
        };
        press(Qt::Key_3);
        QVERIFY(record->cards().empty());
        press(Qt::Key_Space);
        QVERIFY(good->text().contains(QStringLiteral("Good (")));
        press(Qt::Key_3);
        QCOMPARE(record->cards().size(), std::size_t{1});
        good->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(record->cards().size(), std::size_t{1});
        QVERIFY(good->isEnabled());

        // My Progress, from the side panel: its tabs and named controls.
        d.named<QPushButton>("myProgress")->click();
        auto* progress = d.named<ProgressWindow>("progressWindow");
        QVERIFY(progress && progress->isVisible());
        QCOMPARE(progress->windowTitle(), QStringLiteral("My Progress"));
        auto* table = d.named<QTableWidget>("progressActivities", progress);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("About The Labs"));
        for (QWidget* w : progress->findChildren<QWidget*>())
            if (qobject_cast<QProgressBar*>(w) || w->inherits("QChartView"))
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());

        // Export, reset (asked first; No keeps everything), import.
        const QString file = dir.filePath("export.json");
        progress->fileHook = [&](bool) { return file; };
        d.named<QPushButton>("exportProgress", progress)->click();
        QVERIFY(QFile::exists(file));
        progress->confirmHook = [](const QString&) { return false; };
        d.named<QPushButton>("resetProgress", progress)->click();
        QVERIFY(record->activity("test1"));
        progress->confirmHook = [](const QString&) { return true; };
        d.named<QPushButton>("resetProgress", progress)->click();
        QVERIFY(!record->activity("test1") || record->testAttempts("test1").empty());
        d.named<QPushButton>("importProgress", progress)->click();
        QCOMPARE(record->testAttempts("test1").size(), std::size_t{2});
        QCOMPARE(record->cards().size(), std::size_t{1});
    }
}

#include "desktopTest.moc"
