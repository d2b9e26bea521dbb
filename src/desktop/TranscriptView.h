// The console's output pane: the core's transcript shown as it holds it.
// The window keeps no copy of the text, only where each line starts, and lays
// out and paints just the lines in view, so a day's transcript costs little
// more than the core's own copy. Text is selected with the mouse and copied
// from the context menu; a screen reader reads it through the accessible
// text interface and is told of each piece of new output.
#pragma once

#include "records/ConsoleIo.h"

#include <QAbstractScrollArea>
#include <QString>

#include <cstddef>
#include <vector>

namespace kestro {

class TranscriptView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TranscriptView(QWidget* parent = nullptr);

    // Shows `pane` from its start: the core replaced its text. The pane must
    // outlive the view (it is the core's).
    void showPane(const OutputPane& pane);
    // The pane grew at its end: its new lines are indexed and a screen
    // reader is told what was inserted.
    void paneGrew();

    // The shown text: the pane without its carriage returns, one line per
    // line feed.
    int lineCount() const { return static_cast<int>(lines_.size()); }
    struct Run {
        QString text;
        bool bold = false;
    };
    // The line as painted: runs of plain and bold text.
    std::vector<Run> lineRuns(int line) const;
    QString lineText(int line) const;
    QString toPlainText() const;
    // Characters of the shown text (line feeds count one each), and the
    // text between two such offsets.
    qsizetype characterCount() const { return characters_; }
    QString text(qsizetype from, qsizetype to) const;
    // The line holding character offset `offset`, and where lines start.
    int lineAt(qsizetype offset) const;
    qsizetype lineStart(int line) const;

    // The selection, as character offsets (anchor and caret; equal: none).
    bool hasSelection() const { return anchor_ != caret_; }
    qsizetype selectionStart() const { return std::min(anchor_, caret_); }
    qsizetype selectionEnd() const { return std::max(anchor_, caret_); }
    qsizetype caret() const { return caret_; }
    void select(qsizetype anchor, qsizetype caret);
    void selectAll() { select(0, characters_); }
    QString selectedText() const;
    void copy() const;

    // Rows of text the viewport shows whole, and the height of one.
    int rowsInView() const;
    int lineHeight() const;
    // Where a character is drawn (viewport coordinates; empty when out of
    // view) and the character under a point.
    QRect characterRect(qsizetype offset) const;
    qsizetype offsetAt(QPoint point) const;
    // Scrolls so the line is in view (a screen reader asks for it).
    void showLine(int line);

signals:
    // The view scrolled itself (a screen reader asked for a line).
    void scrolledTo(int firstLine);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Where a line starts: its byte in the pane and its first character in
    // the shown text.
    struct Line {
        std::size_t byte;
        qsizetype character;
    };
    void index(std::size_t from);
    std::size_t lineEndByte(int line) const;
    void updateScrollRanges();
    void measure() const;
    // The x of each character boundary of a line, from its left edge.
    std::vector<qreal> boundaries(const std::vector<Run>& runs) const;

    const OutputPane* pane_ = nullptr;
    std::vector<Line> lines_;
    std::size_t indexed_ = 0;
    qsizetype characters_ = 0;
    qsizetype lastLineLength_ = 0;
    qsizetype widest_ = 0;
    qsizetype anchor_ = 0;
    qsizetype caret_ = 0;
    bool dragging_ = false;
    mutable bool measured_ = false;
    mutable int lineHeight_ = 1;
    mutable int ascent_ = 1;
    mutable qreal charWidth_ = 1;
};

} // namespace kestro
