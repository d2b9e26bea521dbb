// The single-router instruction pane, and the rendering of the core's styled
// documents into rich text that every text window of the program shares.
#pragma once

#include "records/StyledText.h"

#include <QFont>
#include <QWidget>

class QTextEdit;

namespace kestro {

class CoreDoor;

// Replaces the box's content by the document: colours, sizes, bold, italic,
// underline and alignment of every run.
void showStyledDocument(QTextEdit* box, const StyledDocument& document);

// A read-only rich-text box that a click never focuses: the student scrolls
// and selects with the mouse and the focus stays where it was (the
// console's input line), so typing goes on. From the keyboard (F6, or Tab
// where no console takes it) the box does take the focus, so it can be read
// and scrolled without a mouse and a screen reader reads it by its name.
QTextEdit* makeReadingPane(QWidget* parent, const QString& accessibleName);

// The look every box of lesson text shares: the font given at 12 pt, navy
// text on white.
void setReadingLook(QWidget* box, QFont font);

// A window that shows one styled document in a framed rich-text box; the
// document is drawn again only when it changed.
class ReadingForm : public QWidget {
    Q_OBJECT
public:
    // accessibleName: what the box is called for a screen reader.
    ReadingForm(CoreDoor& main, const char* name, const char* accessibleName,
                QWidget* parent = nullptr);
    void showDocument(const StyledDocument& document);
    // Shows what the core holds for this window.
    virtual void sync() = 0;
    QTextEdit* RichTextBox1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Where the box stands inside the window.
    virtual QRect boxGeometry() const;

    CoreDoor& main_;

private:
    StyledDocument shown_;
    bool empty_ = true;
};

class TopForm : public ReadingForm {
    Q_OBJECT
public:
    explicit TopForm(CoreDoor& main, QWidget* parent = nullptr);
    // Shows the core's instruction document.
    void sync() override;
};

} // namespace kestro
