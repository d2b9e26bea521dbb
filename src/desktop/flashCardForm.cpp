#include "desktop/flashCardForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"
#include "desktop/TopForm.h"
#include "learning/FlashCards.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kestro {

namespace {

QPlainTextEdit* makeBox(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setUndoRedoEnabled(false);
    setReadingLook(box, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return box;
}

} // namespace

flashCardForm::flashCardForm(CoreDoor& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName("flashCardForm");
    questionBox = makeBox(this, "questionBox");
    questionBox->setAccessibleName(QStringLiteral("Question"));
    answerBox = makeBox(this, "answerBox");
    answerBox->setAccessibleName(QStringLiteral("Answer"));
    // The boxes are only read: when one gets the focus it passes it on.
    questionBox->installEventFilter(this);
    answerBox->installEventFilter(this);
    back = new QPushButton(QStringLiteral("<--"), this);
    back->setObjectName("back");
    back->setAccessibleName(QStringLiteral("Previous card"));
    showAnswer = new QPushButton(QStringLiteral("Show Answer"), this);
    showAnswer->setObjectName("showAnswer");
    forward = new QPushButton(QStringLiteral("-->"), this);
    forward->setObjectName("forward");
    forward->setAccessibleName(QStringLiteral("Next card"));
    int index = 0;
    for (QPushButton* b : {back, showAnswer, forward}) {
        QFont f = b->font();
        f.setPointSize(11);
        f.setBold(true);
        b->setFont(f);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, index] { press(index); });
        ++index;
    }
}

void flashCardForm::press(int button) {
    main_.flashCardButton(button);
}

void flashCardForm::sync(bool opened) {
    const FlashCardDeck& deck = main_.sim().learning.deck;
    const QString question = QString::fromStdString(deck.questionText());
    const QString answer = QString::fromStdString(deck.answerText());
    if (questionBox->toPlainText() != question)
        questionBox->setPlainText(question);
    if (answerBox->toPlainText() != answer)
        answerBox->setPlainText(answer);
    back->setEnabled(deck.backEnabled());
    showAnswer->setEnabled(deck.showAnswerEnabled());
    forward->setEnabled(deck.forwardEnabled());
    // A button that just went disabled must not strand the focus.
    if (opened || !focusWidget() || !focusWidget()->isEnabled() || focusWidget() == questionBox ||
        focusWidget() == answerBox)
        takeFocus();
}

void flashCardForm::takeFocus() {
    if (forward->isEnabled())
        forward->setFocus();
    else
        showAnswer->setFocus();
}

bool flashCardForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == questionBox || watched == answerBox) && event->type() == QEvent::FocusIn) {
        takeFocus();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Left || k->key() == Qt::Key_Right || k->key() == Qt::Key_Space) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void flashCardForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        if (back->isEnabled())
            back->click();
        break;
    case Qt::Key_Right:
        if (forward->isEnabled())
            forward->click();
        break;
    case Qt::Key_Space:
        if (showAnswer->isEnabled())
            showAnswer->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void flashCardForm::resizeEvent(QResizeEvent*) {
    const int w = width(), h = height();
    const int bw = static_cast<int>(w * 0.8);
    const int left = (w - bw) / 2;
    questionBox->setGeometry(left, static_cast<int>(0.1 * h), bw, static_cast<int>(0.3 * h));
    answerBox->setGeometry(left, static_cast<int>(0.58 * h), bw, static_cast<int>(0.3 * h));
    const int buttonWidth = static_cast<int>(0.2 * bw) - 12;
    const int buttonHeight = std::max(static_cast<int>(0.06 * h), back->sizeHint().height());
    const int top = static_cast<int>(0.45 * h);
    back->setGeometry(left + bw / 5 + 6, top, buttonWidth, buttonHeight);
    showAnswer->setGeometry(left + 2 * bw / 5 + 6, top, buttonWidth, buttonHeight);
    forward->setGeometry(left + 3 * bw / 5 + 6, top, buttonWidth, buttonHeight);
}

void flashCardForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int pen = main_.lineWidthPixels();
    p.setPen(QPen(QColor(0, 0, 128), pen));
    for (QWidget* box : {static_cast<QWidget*>(questionBox), static_cast<QWidget*>(answerBox)})
        p.drawRect(box->geometry().adjusted(-pen, -pen, pen, pen));
}

} // namespace kestro
