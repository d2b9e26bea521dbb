#include "desktop/StudyCardsWindow.h"

#include "desktop/CoreDoor.h"
#include "progress/Study.h"
#include "shell/ProgressOverview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestro {

namespace {

constexpr const char* ratingNames[] = {"Again", "Hard", "Good", "Easy"};

QPlainTextEdit* cardBox(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    QFont f = box->font();
    f.setPointSizeF(f.pointSizeF() * 1.2);
    box->setFont(f);
    return box;
}

} // namespace

StudyCardsWindow::StudyCardsWindow(CoreDoor& main, Record& record, QWidget* parent)
    : QDialog(parent), main_(main), record_(record) {
    setObjectName("studyCardsWindow");
    setWindowTitle(QStringLiteral("Study Due Cards"));
    setModal(false);
    position = new QLabel(this);
    position->setObjectName("studyPosition");
    position->setWordWrap(true);
    question = cardBox(this, "studyQuestion", QStringLiteral("Question"));
    answer = cardBox(this, "studyAnswer", QStringLiteral("Answer"));
    showAnswer = new QPushButton(QStringLiteral("Show Answer (Space)"), this);
    showAnswer->setObjectName("studyShowAnswer");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showAnswer);
    buttons->addStretch();
    for (int i = 0; i < 4; ++i) {
        ratings[i] = new QPushButton(this);
        ratings[i]->setObjectName(QStringLiteral("study") + QString::fromLatin1(ratingNames[i]));
        buttons->addWidget(ratings[i]);
        connect(ratings[i], &QPushButton::clicked, this, [this, i] { rate(i + 1); });
    }
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName("studyClose");
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(position);
    layout->addWidget(new QLabel(QStringLiteral("Question:"), this));
    layout->addWidget(question, 1);
    layout->addWidget(new QLabel(QStringLiteral("Answer:"), this));
    layout->addWidget(answer, 1);
    layout->addLayout(buttons);
    connect(showAnswer, &QPushButton::clicked, this, &StudyCardsWindow::reveal);
    // Space and 1-4 act wherever the focus is in the window: Space never
    // presses the focused answer button.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    const int line = fontMetrics().height();
    resize(std::max(640, line * 40), std::max(420, line * 26));
}

StudyCardsWindow::~StudyCardsWindow() = default;

bool StudyCardsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Space) {
                reveal();
                return true;
            }
            if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_4) {
                rate(key->key() - Qt::Key_0);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StudyCardsWindow::keyPressEvent(QKeyEvent* event) {
    if (!eventFilter(this, event))
        QDialog::keyPressEvent(event);
}

void StudyCardsWindow::start() {
    session_ = std::make_unique<StudySession>(studyDeck(main_.sim()), &record_, studyNow());
    sync();
}

void StudyCardsWindow::reveal() {
    if (session_ && !session_->revealed()) {
        session_->reveal();
        sync();
    }
}

void StudyCardsWindow::rate(int rating) {
    if (!session_ || !session_->revealed())
        return;
    session_->answer(static_cast<Rating>(rating), studyNow());
    emit cardRated();
    sync();
}

void StudyCardsWindow::sync() {
    const bool over = !session_ || session_->finished();
    if (over) {
        const int rated = session_ ? session_->rated() : 0;
        position->setText(rated == 0 ? QStringLiteral("Nothing is due today. Come back tomorrow, "
                                                      "or browse every card with Load Flash Cards.")
                                     : QStringLiteral("Session over: %1 card(s) rated. Nothing "
                                                      "more is due today.")
                                           .arg(rated));
        question->clear();
        answer->clear();
    } else {
        position->setText(QStringLiteral("Card %1 of %2 (%3)")
                              .arg(session_->position() + 1)
                              .arg(session_->size())
                              .arg(QString::fromStdString(session_->label())));
        question->setPlainText(QString::fromStdString(session_->current().question));
        answer->setPlainText(
            session_->revealed() ? QString::fromStdString(session_->current().answer) : QString());
    }
    position->setAccessibleName(position->text());
    const bool revealed = !over && session_->revealed();
    showAnswer->setEnabled(!over && !revealed);
    const bool practice = revealed && session_->currentIsPractice();
    const NextIntervals in =
        revealed && !practice ? session_->intervals(studyNow()) : NextIntervals{0, 0, 0, 0};
    const int days[] = {in.again, in.hard, in.good, in.easy};
    for (int i = 0; i < 4; ++i) {
        // A practice showing is not rated again: any answer goes on.
        const QString next = QString::fromStdString(daysText(days[i]));
        const bool rated = revealed && !practice;
        ratings[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(ratingNames[i]) +
                            (rated ? QStringLiteral(" (%1)").arg(next) : QString()));
        ratings[i]->setEnabled(revealed);
        ratings[i]->setToolTip(practice ? QStringLiteral("Practice: any answer goes on")
                                        : QStringLiteral("Key %1").arg(i + 1));
    }
    // The keyboard stays on the window's next step.
    if (revealed)
        ratings[2]->setFocus();
    else if (!over)
        showAnswer->setFocus();
}

} // namespace kestro
