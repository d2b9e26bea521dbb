// The console window: the output pane TextShow, the input line TextWrite and
// the scroll bar VScroll1. It shows the texts the core keeps and hands every
// key to the core's key table; it is also the console's platform layer, so
// the core's pauses and " --More--" waits run here, with the window painting.
#pragma once

#include "console/Console.h"
#include "records/ConsoleIo.h"

#include <QWidget>

#include <deque>
#include <optional>

class QEventLoop;
class QLineEdit;
class QScrollBar;
class QKeyEvent;

namespace kestro {

class CoreDoor;
class TranscriptView;

class BottomForm : public QWidget, public ConsoleIo {
    Q_OBJECT
public:
    explicit BottomForm(CoreDoor& main, QWidget* parent = nullptr);

    // ConsoleIo
    void outputAppended(std::string_view piece, bool bold) override;
    void outputReplaced(const OutputPane& pane) override;
    void inputChanged(const InputLine& line) override;
    void repaint() override;
    bool pause(int ms) override;
    std::optional<int> waitForKey() override;
    int visibleLines() const override;
    void messageBox(const std::string& text) override;

    // Shows the core's output pane and input line afresh (after a router
    // switch or when the window is opened again).
    void syncFromCore();
    // The running command must stop: the current wait and every later one
    // answer at once until endCancel.
    void cancelWaits();
    void endCancel();
    bool waitingForKey() const { return waitingKey_; }
    bool cancelling() const { return cancelRequested_; }

    // The translation of a key event into the core's key, if it is one.
    static std::optional<Key> translate(const QKeyEvent& event);

    TranscriptView* TextShow;
    QLineEdit* TextWrite;
    QScrollBar* VScroll1;

    // Tests: pauses last `scale` times as long; a fixed page length.
    void setPauseScale(double scale) { pauseScale_ = scale; }
    void setVisibleLinesOverride(int lines) { linesOverride_ = lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void keyEvent(QKeyEvent* event);
    // Types the clipboard's text as keys, each line end an Enter.
    void paste();
    void typePasted();
    void updateScrollBar();
    void scrollcode(int value);
    void layoutControls();

    CoreDoor& main_;
    QEventLoop* waitLoop_ = nullptr;
    bool waitingKey_ = false;
    std::optional<int> waitedKey_;
    bool cancelRequested_ = false;
    bool syncingInput_ = false;
    double pauseScale_ = 1.0;
    int linesOverride_ = 0;
    int topLine_ = 0;
    // Keys of a paste still to be typed: a command that waits takes the next
    // of them at " --More--", as a terminal would.
    std::deque<Key> pasted_;
};

} // namespace kestro
