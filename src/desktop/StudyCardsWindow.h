// Study Due Cards: the cards the record says are due today, one at a time.
// Space (or Show Answer) shows the answer; 1-4 (or the buttons) answer
// Again, Hard, Good or Easy, and the core schedules the card.
#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kestro {

class CoreDoor;
class Record;
class StudySession;

class StudyCardsWindow : public QDialog {
    Q_OBJECT
public:
    StudyCardsWindow(CoreDoor& main, Record& record, QWidget* parent = nullptr);
    ~StudyCardsWindow() override;
    // A new session over the cards due now.
    void start();

    QLabel* position;
    QPlainTextEdit* question;
    QPlainTextEdit* answer;
    QPushButton* showAnswer;
    QPushButton* ratings[4];

signals:
    // A card was rated: the progress view follows.
    void cardRated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reveal();
    void rate(int rating);
    void sync();

    CoreDoor& main_;
    Record& record_;
    std::unique_ptr<StudySession> session_;
};

} // namespace kestro
