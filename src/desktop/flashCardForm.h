// The flash-card drill: the question and answer boxes of the core's deck and
// its three buttons "<--", "Show Answer" and "-->". Left and Right arrows
// press the arrow buttons, Space reveals the answer.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace kestro {

class CoreDoor;

class flashCardForm : public QWidget {
    Q_OBJECT
public:
    explicit flashCardForm(CoreDoor& main, QWidget* parent = nullptr);
    // Shows the deck's card and button states; `opened`: the window has just
    // been opened, so the focus goes to a button.
    void sync(bool opened = false);
    // The focus rule: "-->" when it is enabled, otherwise "Show Answer".
    void takeFocus();

    QPlainTextEdit* questionBox;
    QPlainTextEdit* answerBox;
    QPushButton* back;
    QPushButton* showAnswer;
    QPushButton* forward;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void press(int button); // 0 back, 1 reveal, 2 forward
    CoreDoor& main_;
};

} // namespace kestro
