#include "desktop/TopForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace kestro {

void showStyledDocument(QTextEdit* box, const StyledDocument& document) {
    box->clear();
    QTextCursor c(box->document());
    c.beginEditBlock();
    bool first = true;
    for (const Paragraph& p : document.paragraphs) {
        QTextBlockFormat bf;
        bf.setAlignment(p.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
        if (first)
            c.setBlockFormat(bf);
        else
            c.insertBlock(bf);
        first = false;
        // An empty paragraph is a blank line of the running size.
        int size = p.runs.empty() ? 12 : p.runs.front().pointSize;
        QTextCharFormat blockChar;
        blockChar.setFontPointSize(size);
        c.setBlockCharFormat(blockChar);
        for (const TextRun& run : p.runs) {
            QTextCharFormat f;
            f.setForeground(QColor(run.colour.red, run.colour.green, run.colour.blue));
            f.setFontPointSize(run.pointSize);
            f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(run.italic);
            f.setFontUnderline(run.underline);
            c.insertText(QString::fromStdString(run.text), f);
        }
    }
    c.endEditBlock();
    box->moveCursor(QTextCursor::Start);
    box->verticalScrollBar()->setValue(0);
}

QTextEdit* makeReadingPane(QWidget* parent, const QString& accessibleName) {
    auto* box = new QTextEdit(parent);
    box->setObjectName("RichTextBox1");
    box->setAccessibleName(accessibleName);
    box->setReadOnly(true);
    box->setUndoRedoEnabled(false);
    box->setFocusPolicy(Qt::TabFocus);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                 Qt::LinksAccessibleByMouse);
    setReadingLook(box, box->font());
    box->document()->setDocumentMargin(10);
    return box;
}

void setReadingLook(QWidget* box, QFont font) {
    font.setPointSize(12);
    box->setFont(font);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Text, QColor(0, 0, 128));
    pal.setColor(QPalette::Base, Qt::white);
    box->setPalette(pal);
}

ReadingForm::ReadingForm(CoreDoor& main, const char* name, const char* accessibleName,
                         QWidget* parent)
    : QWidget(parent), main_(main) {
    setObjectName(name);
    RichTextBox1 = makeReadingPane(this, QString::fromUtf8(accessibleName));
}

void ReadingForm::showDocument(const StyledDocument& document) {
    if (!empty_ && document == shown_)
        return;
    shown_ = document;
    empty_ = false;
    showStyledDocument(RichTextBox1, document);
}

QRect ReadingForm::boxGeometry() const {
    const int w = width(), h = height();
    const int bw = static_cast<int>(w * 0.92), bh = static_cast<int>(h * 0.9);
    return QRect((w - bw) / 2, (h - bh) / 2, bw, bh);
}

void ReadingForm::resizeEvent(QResizeEvent*) {
    RichTextBox1->setGeometry(boxGeometry());
}

void ReadingForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int pen = main_.lineWidthPixels();
    p.setPen(QPen(QColor(0, 0, 128), pen));
    p.drawRect(RichTextBox1->geometry().adjusted(-pen, -pen, pen, pen));
}

TopForm::TopForm(CoreDoor& main, QWidget* parent)
    : ReadingForm(main, "TopForm", "Instructions", parent) {}

void TopForm::sync() {
    showDocument(main_.sim().learning.instructionDocument);
}

} // namespace kestro
