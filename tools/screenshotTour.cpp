// kestro-screenshots FOLDER: the desktop's main windows driven as a student
// drives them, one picture of each view saved into FOLDER, then the end.
// Used to look at the windows after a change (scripts/screenshots.sh runs it
// under Xvfb); it is a developer's tool and is not installed.
#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "desktop/BottomForm.h"
#include "desktop/ChecklistWindow.h"
#include "desktop/MDIForm1.h"
#include "learning/Instructions.h"
#include "platform/AppFolder.h"
#include "progress/Record.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <iostream>
#include <vector>

namespace {

using namespace kestro;

// Walks through the main views as a student would and saves a picture of
// each into the folder.
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
                      "ip address 220.155.5.1 255.255.255.0\rclock rate 56000\rno shutdown\r"
                      // Help for the typed words: the console's bold lines.
                      "ip access-group 1 ?");
             },
             "lab"},
            {[this] {
                 main_.chooseMenuItem("test1");
                 type("\renable\rconfigure terminal\rhostname test1\r");
                 main_.sidePanelClicked(SidePanelControl::showAnswer);
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
                 main_.routerButton(RouterId::b);
                 type("\rena");
             },
             "tworouter"},
            {[this] {
                 main_.chooseMenuItem("routerStartUp");
                 main_.sidePanelClicked(SidePanelControl::showNetwork);
             },
             "diagram"},
            {[this] {
                 main_.chooseMenuItem("test3");
                 main_.sidePanelClicked(SidePanelControl::showNetwork);
             },
             "diagramTest3"},
            {[this] {
                 main_.chooseMenuItem("troubleshooting6");
                 main_.routerButton(RouterId::b);
                 main_.sidePanelClicked(SidePanelControl::showNetwork);
             },
             "diagramExercise6RouterB"},
            {[this] {
                 main_.chooseMenuItem("routerStartUp");
                 main_.sidePanelClicked(SidePanelControl::showNetwork);
                 if (auto* words = main_.findChild<QPushButton*>("showAsText"))
                     words->click();
             },
             "diagramInWords"},
            {[this] {
                 main_.chooseMenuItem("settingHostname");
                 main_.sidePanelClicked(SidePanelControl::showInstructions);
                 type("\renable\r");
                 main_.checkMyWork();
                 if (ChecklistWindow* w = main_.checklistWindow()) {
                     w->hint->click();
                     w->hint->click();
                 }
             },
             "checklist"},
            {[this] {
                 if (ChecklistWindow* w = main_.checklistWindow())
                     w->close();
                 // Two more attempts at Test 1 for the score history.
                 for (const char* keys : {"\renable\rconfigure terminal\rhostname test1\r"
                                          "banner motd #motd banner#\r",
                                          "\renable\rconfigure terminal\rhostname test1\r"
                                          "banner motd #motd banner#\rno ip domain-lookup\r"}) {
                     main_.chooseMenuItem("test1");
                     type(keys);
                     main_.sidePanelClicked(SidePanelControl::showAnswer);
                 }
                 // The listing is typed in one go: no " --More--" stop.
                 main_.bottomForm->setVisibleLinesOverride(1000);
                 main_.chooseMenuItem("settingHostname");
                 type("\renable\rconfigure terminal\rhostname Branch1\rend\rshow running-config\r"
                      "exit\r\r");
                 main_.chooseMenuItem("studyDueCards");
                 if (auto* show = main_.findChild<QPushButton*>("studyShowAnswer"))
                     show->click();
             },
             "studyCards"},
            {[this] {
                 if (auto* good = main_.findChild<QPushButton*>("studyGood"))
                     good->click();
                 if (auto* study = main_.findChild<QWidget*>("studyCardsWindow"))
                     study->close();
                 main_.myProgress();
             },
             "progress"},
            {[this] {
                 if (auto* tabs = main_.findChild<QTabWidget*>("progressTabs"))
                     tabs->setCurrentIndex(1);
             },
             "progressTests"},
            {[this] {
                 if (auto* progress = main_.findChild<QWidget*>("progressWindow"))
                     progress->close();
                 // The Labs menu open at the lab just completed: its tick.
                 QMenu* labs = main_.findChild<QMenu*>("mnuLabs");
                 QMenu* sub = main_.findChild<QMenu*>("passwordsAndIdentification");
                 if (labs == nullptr || sub == nullptr)
                     return;
                 labs->popup(main_.mapToGlobal(QPoint(0, main_.menuBar()->height())));
                 labs->setActiveAction(sub->menuAction());
                 sub->popup(labs->mapToGlobal(
                     QPoint(labs->width(), labs->actionGeometry(sub->menuAction()).top())));
                 sub->setActiveAction(sub->actions().value(1));
             },
             "menuTicks"},
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
            // A view with a window of its own over the main one takes the
            // whole screen.
            const bool ownWindow = (QApplication::activeWindow() != nullptr &&
                                    QApplication::activeWindow() != &main_) ||
                                   QApplication::activePopupWidget() != nullptr;
            const QPixmap shot = ownWindow ? main_.screen()->grabWindow(0) : main_.grab();
            if (!shot.save(file)) {
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
    if (argc != 2) {
        std::cerr << "usage: kestro-screenshots FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::cerr << "kestro-screenshots: cannot make the folder " << argv[1] << "\n";
        return 2;
    }
    std::string error;
    auto content = ContentStore::open(applicationFolder() + "/DataStore.db", error);
    if (!content) {
        std::cerr << "kestro-screenshots: " << error << "\n";
        return 1;
    }
    RecordingConsole startupIo;
    Simulator sim(startupIo, std::move(content));
    // A record of its own, so the progress views show this tour's work only.
    QTemporaryDir recordDir;
    std::string notice;
    auto record = Record::open(recordDir.filePath("record.db").toStdString(), notice);
    MDIForm1 main(sim);
    main.setRecord(record.get());
    // A lab opened again starts afresh rather than asking.
    main.resumeHook = [] { return false; };
    // The welcome text the start-up window leaves, as in kestro.
    setWelcomeText(sim);
    main.show();
    main.start();
    Tour tour(main, folder);
    tour.start();
    const int status = QApplication::exec();
    sim.setIo(startupIo);
    return status;
}
