#include "desktop/TranscriptView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kestro {

namespace {

// Space around the text, as a text box leaves it.
constexpr int margin = 4;

// Pane bytes as shown: carriage returns left out.
QString shown(std::string_view bytes) {
    if (bytes.find('\r') == std::string_view::npos)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::string s;
    s.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r')
            s += c;
    return QString::fromStdString(s);
}

bool wordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'-' || c == u'/' || c == u':';
}

// What a screen reader sees of the pane: read-only multi-line text, with the
// text interface over the core's transcript.
class TranscriptAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TranscriptAccessible(TranscriptView* view)
        : QAccessibleWidget(view, QAccessible::EditableText) {}

    TranscriptView* view() const { return static_cast<TranscriptView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return view()->toPlainText();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && view()->hasSelection()) {
            *startOffset = static_cast<int>(view()->selectionStart());
            *endOffset = static_cast<int>(view()->selectionEnd());
        }
    }
    int selectionCount() const override { return view()->hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        view()->select(startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0)
            view()->select(view()->caret(), view()->caret());
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0)
            view()->select(startOffset, endOffset);
    }
    int cursorPosition() const override { return static_cast<int>(view()->caret()); }
    void setCursorPosition(int position) override { view()->select(position, position); }
    QString text(int startOffset, int endOffset) const override {
        return view()->text(startOffset, endOffset);
    }
    int characterCount() const override { return static_cast<int>(view()->characterCount()); }
    QRect characterRect(int offset) const override {
        const QRect r = view()->characterRect(offset);
        if (r.isEmpty())
            return r;
        return QRect(view()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = view()->viewport()->mapFromGlobal(point);
        if (!view()->viewport()->rect().contains(local))
            return -1;
        return static_cast<int>(view()->offsetAt(local));
    }
    void scrollToSubstring(int startIndex, int) override {
        view()->showLine(view()->lineAt(startIndex));
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        // The bold or plain run the character is in.
        const int line = view()->lineAt(offset);
        qsizetype at = view()->lineStart(line);
        for (const TranscriptView::Run& run : view()->lineRuns(line)) {
            if (offset < at + run.text.size()) {
                *startOffset = static_cast<int>(at);
                *endOffset = static_cast<int>(at + run.text.size());
                return run.bold ? QStringLiteral("font-weight:bold;")
                                : QStringLiteral("font-weight:normal;");
            }
            at += run.text.size();
        }
        *startOffset = *endOffset = offset;
        return {};
    }
    // The text at, before and after an offset, worked out within its line:
    // the whole transcript is never copied for one question.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override {
        return around(offset, type, startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                             int* endOffset) const override {
        int start = 0, end = 0;
        around(offset, type, &start, &end);
        if (start <= 0)
            return none(startOffset, endOffset);
        return around(start - 1, type, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                            int* endOffset) const override {
        int start = 0, end = 0;
        around(offset, type, &start, &end);
        if (end >= characterCount() || end <= offset)
            return none(startOffset, endOffset);
        return around(end, type, startOffset, endOffset);
    }

private:
    static QString none(int* startOffset, int* endOffset) {
        *startOffset = *endOffset = -1;
        return {};
    }
    QString around(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                   int* endOffset) const {
        const int count = characterCount();
        if (type == QAccessible::NoBoundary) {
            *startOffset = 0;
            *endOffset = count;
            return view()->text(0, count);
        }
        if (offset < 0 || offset > count || (offset == count && count == 0))
            return none(startOffset, endOffset);
        offset = std::min(offset, count - 1);
        const int line = view()->lineAt(offset);
        const qsizetype lineStart = view()->lineStart(line);
        const QString text = view()->lineText(line);
        // The line with its line feed, as a text box answers.
        const bool lastLine = line + 1 >= view()->lineCount();
        qsizetype from = 0, to = text.size() + (lastLine ? 0 : 1);
        const qsizetype at = offset - lineStart;
        if (type == QAccessible::CharBoundary) {
            from = at;
            to = at + (at < text.size() && text[at].isHighSurrogate() ? 2 : 1);
        } else if (type == QAccessible::WordBoundary && at < text.size()) {
            const bool word = wordCharacter(text[at]);
            from = at;
            to = at + 1;
            while (from > 0 && wordCharacter(text[from - 1]) == word && word)
                --from;
            while (to < text.size() && wordCharacter(text[to]) == word && word)
                ++to;
        }
        *startOffset = static_cast<int>(lineStart + from);
        *endOffset = static_cast<int>(lineStart + to);
        return view()->text(lineStart + from, lineStart + to);
    }
};

QAccessibleInterface* transcriptFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<TranscriptView*>(object))
        return new TranscriptAccessible(view);
    return nullptr;
}

} // namespace

TranscriptView::TranscriptView(QWidget* parent) : QAbstractScrollArea(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(transcriptFactory);
        return true;
    }();
    (void)accessible;
    lines_.push_back({0, 0});
    viewport()->setCursor(Qt::IBeamCursor);
}

void TranscriptView::showPane(const OutputPane& pane) {
    pane_ = &pane;
    lines_.assign(1, {0, 0});
    lines_.shrink_to_fit();
    indexed_ = 0;
    characters_ = 0;
    lastLineLength_ = 0;
    widest_ = 0;
    anchor_ = caret_ = 0;
    dragging_ = false;
    index(0);
    updateScrollRanges();
    viewport()->update();
}

void TranscriptView::paneGrew() {
    if (!pane_)
        return;
    if (pane_->text.size() < indexed_) {
        showPane(*pane_);
        return;
    }
    const qsizetype before = characters_;
    index(indexed_);
    updateScrollRanges();
    viewport()->update();
    // What the router printed is read out without moving the focus from the
    // input line.
    if (QAccessible::isActive() && characters_ > before) {
        QAccessibleTextInsertEvent inserted(this, static_cast<int>(before),
                                            text(before, characters_));
        QAccessible::updateAccessibility(&inserted);
    }
}

void TranscriptView::index(std::size_t from) {
    const std::string& t = pane_->text;
    for (std::size_t i = from; i < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == '\n') {
            ++characters_;
            lines_.push_back({i + 1, characters_});
            lastLineLength_ = 0;
            continue;
        }
        // Carriage returns are not shown; a UTF-8 sequence is one character
        // (two UTF-16 units beyond the basic plane).
        if (c == '\r' || (c & 0xC0) == 0x80)
            continue;
        const qsizetype units = c >= 0xF0 ? 2 : 1;
        characters_ += units;
        lastLineLength_ += units;
        widest_ = std::max(widest_, lastLineLength_);
    }
    indexed_ = t.size();
}

std::size_t TranscriptView::lineEndByte(int line) const {
    const auto next = static_cast<std::size_t>(line) + 1;
    return next < lines_.size() ? lines_[next].byte - 1 : indexed_;
}

std::vector<TranscriptView::Run> TranscriptView::lineRuns(int line) const {
    std::vector<Run> runs;
    if (!pane_ || line < 0 || line >= lineCount())
        return runs;
    const std::size_t begin = lines_[static_cast<std::size_t>(line)].byte;
    const std::size_t end = std::min(lineEndByte(line), pane_->text.size());
    if (begin >= end)
        return runs;
    const std::string_view text(pane_->text);
    auto add = [&](std::size_t from, std::size_t to, bool bold) {
        if (from >= to)
            return;
        QString s = shown(text.substr(from, to - from));
        if (s.isEmpty())
            return;
        if (!runs.empty() && runs.back().bold == bold)
            runs.back().text += s;
        else
            runs.push_back({std::move(s), bold});
    };
    const std::vector<BoldRun>& bold = pane_->bold;
    auto run = std::partition_point(bold.begin(), bold.end(), [begin](const BoldRun& r) {
        return r.start + r.length <= begin;
    });
    std::size_t at = begin;
    for (; run != bold.end() && run->start < end; ++run) {
        const std::size_t from = std::max(run->start, begin);
        const std::size_t to = std::min(run->start + run->length, end);
        add(at, from, false);
        add(from, to, true);
        at = to;
    }
    add(at, end, false);
    return runs;
}

QString TranscriptView::lineText(int line) const {
    QString s;
    for (const Run& run : lineRuns(line))
        s += run.text;
    return s;
}

QString TranscriptView::toPlainText() const {
    return text(0, characters_);
}

int TranscriptView::lineAt(qsizetype offset) const {
    auto after = std::upper_bound(lines_.begin(), lines_.end(), offset,
                                  [](qsizetype o, const Line& l) { return o < l.character; });
    return std::max(0, static_cast<int>(after - lines_.begin()) - 1);
}

qsizetype TranscriptView::lineStart(int line) const {
    if (line < 0 || line >= lineCount())
        return characters_;
    return lines_[static_cast<std::size_t>(line)].character;
}

QString TranscriptView::text(qsizetype from, qsizetype to) const {
    from = std::clamp<qsizetype>(from, 0, characters_);
    to = std::clamp<qsizetype>(to, from, characters_);
    QString out;
    if (from == to)
        return out;
    for (int line = lineAt(from); line < lineCount() && lineStart(line) < to; ++line) {
        QString s = lineText(line);
        if (line + 1 < lineCount())
            s += u'\n';
        const qsizetype start = lineStart(line);
        const qsizetype a = std::max<qsizetype>(from - start, 0);
        const qsizetype b = std::min<qsizetype>(to - start, s.size());
        if (b > a)
            out += QStringView(s).mid(a, b - a);
    }
    return out;
}

void TranscriptView::select(qsizetype anchor, qsizetype caret) {
    anchor_ = std::clamp<qsizetype>(anchor, 0, characters_);
    caret_ = std::clamp<qsizetype>(caret, 0, characters_);
    viewport()->update();
}

QString TranscriptView::selectedText() const {
    return text(selectionStart(), selectionEnd());
}

void TranscriptView::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TranscriptView::measure() const {
    // Measured when first needed, not when the font is set: a console still
    // hidden at start-up does not load its font.
    if (measured_)
        return;
    measured_ = true;
    const QFontMetricsF metrics(font());
    lineHeight_ = std::max(1, QFontMetrics(font()).lineSpacing());
    ascent_ = QFontMetrics(font()).ascent();
    charWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(u'M'));
}

int TranscriptView::lineHeight() const {
    measure();
    return lineHeight_;
}

int TranscriptView::rowsInView() const {
    measure();
    // A margin stays free below the last line, as a text box leaves it.
    return std::max(1, (viewport()->height() - margin) / lineHeight_);
}

void TranscriptView::updateScrollRanges() {
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, lineCount() - rowsInView()));
    v->setPageStep(rowsInView());
    v->setSingleStep(1);
    QScrollBar* h = horizontalScrollBar();
    const int width =
        static_cast<int>(std::ceil(static_cast<qreal>(widest_) * charWidth_)) + 2 * margin;
    h->setRange(0, std::max(0, width - viewport()->width()));
    h->setPageStep(viewport()->width());
    h->setSingleStep(static_cast<int>(std::ceil(charWidth_)));
}

void TranscriptView::showLine(int line) {
    QScrollBar* v = verticalScrollBar();
    if (line >= v->value() && line < v->value() + rowsInView())
        return;
    v->setValue(std::min(line, v->maximum()));
    emit scrolledTo(v->value());
}

std::vector<qreal> TranscriptView::boundaries(const std::vector<Run>& runs) const {
    QFont strong = font();
    strong.setBold(true);
    const QFontMetricsF plainMetrics(font()), strongMetrics(strong);
    std::vector<qreal> xs{0};
    for (const Run& run : runs) {
        const QFontMetricsF& m = run.bold ? strongMetrics : plainMetrics;
        for (qsizetype i = 0; i < run.text.size(); ++i) {
            qreal w = 0;
            if (run.text[i].isHighSurrogate() && i + 1 < run.text.size())
                w = m.horizontalAdvance(run.text.mid(i, 2));
            else if (!run.text[i].isLowSurrogate())
                w = m.horizontalAdvance(run.text[i]);
            xs.push_back(xs.back() + w);
        }
    }
    return xs;
}

QRect TranscriptView::characterRect(qsizetype offset) const {
    if (offset < 0 || offset >= characters_)
        return {};
    const int line = lineAt(offset);
    const int row = line - verticalScrollBar()->value();
    if (row < 0 || row > rowsInView())
        return {};
    const std::vector<qreal> xs = boundaries(lineRuns(line));
    const auto column = static_cast<std::size_t>(offset - lineStart(line));
    const qreal left = column < xs.size() ? xs[column] : xs.back();
    const qreal right = column + 1 < xs.size() ? xs[column + 1] : left + charWidth_;
    const int top = (verticalScrollBar()->value() == 0 ? margin : 0) + row * lineHeight_;
    const int x = margin - horizontalScrollBar()->value() + static_cast<int>(left);
    return QRect(x, top, std::max(1, static_cast<int>(std::lround(right - left))), lineHeight_);
}

qsizetype TranscriptView::offsetAt(QPoint point) const {
    measure();
    const int first = verticalScrollBar()->value();
    const int top = first == 0 ? margin : 0;
    const int row = point.y() < top ? 0 : (point.y() - top) / lineHeight_;
    const int line = std::clamp(first + row, 0, lineCount() - 1);
    const std::vector<qreal> xs = boundaries(lineRuns(line));
    const qreal x = point.x() - margin + horizontalScrollBar()->value();
    std::size_t column = 0;
    while (column + 1 < xs.size() && (xs[column] + xs[column + 1]) / 2 < x)
        ++column;
    return lineStart(line) + static_cast<qsizetype>(column);
}

void TranscriptView::paintEvent(QPaintEvent*) {
    measure();
    QPainter p(viewport());
    const int first = verticalScrollBar()->value();
    const int top = first == 0 ? margin : 0;
    const qreal left = margin - horizontalScrollBar()->value();
    QFont strong = font();
    strong.setBold(true);
    const QPalette& pal = palette();
    const qsizetype selStart = selectionStart(), selEnd = selectionEnd();
    for (int row = 0; first + row < lineCount() && top + row * lineHeight_ < viewport()->height();
         ++row) {
        const int line = first + row;
        const int y = top + row * lineHeight_;
        const std::vector<Run> runs = lineRuns(line);
        // The selected part of the line (its line feed shown as one blank).
        QRectF selected;
        if (hasSelection()) {
            const qsizetype start = lineStart(line);
            const std::vector<qreal> xs = boundaries(runs);
            const auto length = static_cast<qsizetype>(xs.size()) - 1;
            const qsizetype a = std::clamp<qsizetype>(selStart - start, 0, length + 1);
            const qsizetype b = std::clamp<qsizetype>(selEnd - start, 0, length + 1);
            auto xAt = [&](qsizetype c) {
                return c <= length ? xs[static_cast<std::size_t>(c)] : xs.back() + charWidth_;
            };
            if (b > a) {
                selected = QRectF(left + xAt(a), y, xAt(b) - xAt(a), lineHeight_);
                p.fillRect(selected, pal.brush(QPalette::Highlight));
            }
        }
        auto drawRuns = [&](const QColor& colour) {
            qreal x = left;
            p.setPen(colour);
            for (const Run& run : runs) {
                p.setFont(run.bold ? strong : font());
                p.drawText(QPointF(x, y + ascent_), run.text);
                x += QFontMetricsF(p.font()).horizontalAdvance(run.text);
            }
        };
        if (selected.isEmpty()) {
            drawRuns(pal.color(QPalette::Text));
            continue;
        }
        p.save();
        QRegion outside(QRect(0, y, viewport()->width(), lineHeight_));
        outside -= selected.toAlignedRect();
        p.setClipRegion(outside);
        drawRuns(pal.color(QPalette::Text));
        p.setClipRect(selected);
        drawRuns(pal.color(QPalette::HighlightedText));
        p.restore();
    }
}

void TranscriptView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void TranscriptView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measured_ = false;
        if (isVisible()) {
            updateScrollRanges();
            viewport()->update();
        }
    }
}

void TranscriptView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    updateScrollRanges();
}

void TranscriptView::scrollContentsBy(int, int) {
    viewport()->update();
}

void TranscriptView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const qsizetype at = offsetAt(event->position().toPoint());
    if (event->modifiers().testFlag(Qt::ShiftModifier))
        select(anchor_, at);
    else
        select(at, at);
    dragging_ = true;
}

void TranscriptView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        select(anchor_, offsetAt(event->position().toPoint()));
}

void TranscriptView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    // As in any text box on X11, the selection can be pasted with the middle
    // button elsewhere.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void TranscriptView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const qsizetype at = offsetAt(event->position().toPoint());
    const int line = lineAt(at);
    const QString text = lineText(line);
    const qsizetype start = lineStart(line);
    qsizetype from = at - start, to = from;
    while (from > 0 && wordCharacter(text[from - 1]))
        --from;
    while (to < text.size() && wordCharacter(text[to]))
        ++to;
    select(start + from, start + to);
    dragging_ = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void TranscriptView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &TranscriptView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(tr("Select All"), this, &TranscriptView::selectAll);
    menu.exec(event->globalPos());
}

} // namespace kestro
