#include "desktop/BottomForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"
#include "desktop/TranscriptView.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace kestro {

namespace {

const QColor navyText(0, 0, 128);

// Character positions of the input box from the core's byte caret and back.
int qtPosition(const std::string& text, std::size_t byte) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(byte, text.size())))
        .size();
}

std::size_t bytePosition(const QString& text, int pos) {
    return static_cast<std::size_t>(text.left(pos).toUtf8().size());
}

} // namespace

BottomForm::BottomForm(CoreDoor& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName("BottomForm");
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(11);

    // The pane shows the core's transcript itself: the window keeps no copy.
    TextShow = new TranscriptView(this);
    TextShow->setObjectName("TextShow");
    TextShow->setAccessibleName(QStringLiteral("Router console output"));
    TextShow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextShow->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The output pane and the scroll bar never keep the focus: typing always
    // reaches the input line, and the mouse can still select text.
    TextShow->setFocusPolicy(Qt::NoFocus);
    TextShow->setFont(mono);
    QPalette pal = TextShow->palette();
    pal.setColor(QPalette::Text, navyText);
    pal.setColor(QPalette::Base, Qt::white);
    TextShow->setPalette(pal);
    TextShow->viewport()->installEventFilter(this);
    // A screen reader that scrolls the pane moves the console's bar along.
    connect(TextShow, &TranscriptView::scrolledTo, this, [this](int firstLine) {
        QScrollBar* inner = TextShow->verticalScrollBar();
        const int max = VScroll1->maximum();
        if (max <= 0 || inner->maximum() <= 0)
            return;
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(
            static_cast<int>(std::lround(static_cast<double>(firstLine) * max / inner->maximum())));
        topLine_ = VScroll1->value();
    });

    TextWrite = new QLineEdit(this);
    TextWrite->setObjectName("TextWrite");
    TextWrite->setAccessibleName(QStringLiteral("Router command line"));
    TextWrite->setFont(mono);
    TextWrite->setContextMenuPolicy(Qt::NoContextMenu);
    TextWrite->setDragEnabled(false);
    TextWrite->setAcceptDrops(false);
    TextWrite->setFrame(true);
    TextWrite->installEventFilter(this);
    // The core owns the line: a mouse click only moves the caret there.
    connect(TextWrite, &QLineEdit::cursorPositionChanged, this, [this](int, int pos) {
        if (syncingInput_ || main_.sim().busy())
            return;
        const std::size_t caret = bytePosition(TextWrite->text(), pos);
        main_.runCore([this, caret] { main_.sim().input.caret = caret; });
    });
    connect(TextWrite, &QLineEdit::textEdited, this, [this](const QString&) { syncFromCore(); });

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName("VScroll1");
    VScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setRange(0, 0);
    VScroll1->setEnabled(false);
    connect(VScroll1, &QScrollBar::valueChanged, this, &BottomForm::scrollcode);

    setFocusProxy(TextWrite);
}

void BottomForm::layoutControls() {
    // Proportions of the console window: the pane takes most of the window,
    // centred, the input line one text line below it, the scroll bar right of
    // both.
    const int w = width(), h = height();
    const int bar = VScroll1->sizeHint().width();
    const int inputHeight = TextWrite->sizeHint().height();
    // As wide as the instruction pane above, so the two line up.
    const int showWidth = std::max(10, static_cast<int>(w * 0.92) - bar);
    const int showHeight =
        std::max(TextShow->lineHeight(), static_cast<int>(h * 0.8) - inputHeight);
    const int left = (w - showWidth - bar) / 2;
    const int top = std::max(2, (h - showHeight - inputHeight - 5) / 2);
    TextShow->setGeometry(left, top, showWidth, showHeight);
    TextWrite->setGeometry(left, top + showHeight + 5, showWidth, inputHeight);
    VScroll1->setGeometry(left + showWidth, top, bar, showHeight + 5 + inputHeight);
    updateScrollBar();
}

void BottomForm::resizeEvent(QResizeEvent*) {
    layoutControls();
}

void BottomForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int pen = main_.lineWidthPixels();
    p.setPen(QPen(navyText, pen));
    const QRect r = TextShow->geometry().united(VScroll1->geometry()).united(TextWrite->geometry());
    p.drawRect(r.adjusted(-pen, -pen, pen, pen));
}

void BottomForm::outputAppended(std::string_view, bool) {
    // The core has appended the piece to the pane the view shows.
    TextShow->paneGrew();
    updateScrollBar();
}

void BottomForm::outputReplaced(const OutputPane& pane) {
    TextShow->showPane(pane);
    topLine_ = 0;
    updateScrollBar();
}

void BottomForm::inputChanged(const InputLine& line) {
    syncingInput_ = true;
    const QString text = QString::fromStdString(line.text);
    if (TextWrite->text() != text)
        TextWrite->setText(text);
    TextWrite->setCursorPosition(qtPosition(line.text, line.caret));
    // A disabled line keeps the focus (keys at " --More--" must reach the
    // window) but looks and acts read-only.
    TextWrite->setReadOnly(!line.enabled);
    QPalette pal = TextWrite->palette();
    pal.setColor(QPalette::Text, line.enabled ? navyText : QColor(90, 90, 140));
    TextWrite->setPalette(pal);
    syncingInput_ = false;
}

void BottomForm::repaint() {
    TextWrite->update();
    TextShow->viewport()->update();
}

void BottomForm::syncFromCore() {
    Simulator& sim = main_.sim();
    outputReplaced(sim.output);
    inputChanged(sim.input);
}

bool BottomForm::pause(int ms) {
    if (cancelRequested_)
        return false;
    QEventLoop loop;
    waitLoop_ = &loop;
    QTimer::singleShot(static_cast<int>(ms * pauseScale_), &loop, &QEventLoop::quit);
    loop.exec();
    waitLoop_ = nullptr;
    return !cancelRequested_;
}

std::optional<int> BottomForm::waitForKey() {
    if (cancelRequested_)
        return std::nullopt;
    if (!pasted_.empty() && pasted_.front().ch != 0) {
        const int key = static_cast<int>(pasted_.front().ch);
        pasted_.pop_front();
        return key;
    }
    QEventLoop loop;
    waitLoop_ = &loop;
    waitingKey_ = true;
    waitedKey_.reset();
    TextWrite->setFocus();
    loop.exec();
    waitingKey_ = false;
    waitLoop_ = nullptr;
    if (cancelRequested_)
        return std::nullopt;
    if (!waitedKey_ && !pasted_.empty() && pasted_.front().ch != 0) {
        waitedKey_ = static_cast<int>(pasted_.front().ch);
        pasted_.pop_front();
    }
    return waitedKey_;
}

void BottomForm::cancelWaits() {
    // What was pasted belongs to the command being stopped, not to whatever
    // the window does next.
    pasted_.clear();
    cancelRequested_ = true;
    if (waitLoop_)
        waitLoop_->quit();
}

void BottomForm::endCancel() {
    cancelRequested_ = false;
}

int BottomForm::visibleLines() const {
    if (linesOverride_ > 0)
        return linesOverride_;
    const int h = TextShow->viewport()->height();
    return std::max(1,
                    static_cast<int>(std::lround(static_cast<double>(h) / TextShow->lineHeight())));
}

void BottomForm::messageBox(const std::string& text) {
    main_.messageBox(text);
}

void BottomForm::updateScrollBar() {
    const int lastLine = TextShow->lineCount() - 1;
    const ScrollBarState s = scrollBarFor(lastLine, visibleLines());
    const QSignalBlocker block(VScroll1);
    if (!s.enabled) {
        VScroll1->setRange(0, 0);
        VScroll1->setEnabled(false);
        topLine_ = 0;
        TextShow->verticalScrollBar()->setValue(TextShow->verticalScrollBar()->maximum());
        return;
    }
    VScroll1->setEnabled(true);
    VScroll1->setRange(0, s.maximum);
    VScroll1->setPageStep(s.largeStep);
    VScroll1->setSingleStep(1);
    VScroll1->setValue(s.value);
    scrollcode(s.value);
}

void BottomForm::scrollcode(int value) {
    // The pane has no bar of its own: the bar's range is spread over the
    // pane's, so both ends meet and the newest output shows at the maximum.
    QScrollBar* inner = TextShow->verticalScrollBar();
    const int max = VScroll1->maximum();
    const int target =
        max <= 0
            ? inner->maximum()
            : static_cast<int>(std::lround(static_cast<double>(value) * inner->maximum() / max));
    inner->setValue(target);
    topLine_ = value;
}

std::optional<Key> BottomForm::translate(const QKeyEvent& e) {
    const bool ctrl = e.modifiers() & Qt::ControlModifier;
    // Alt with a key is the desktop's (the side panel's shortcuts), never
    // the router's: one whose control is disabled types nothing.
    if (e.modifiers().testFlag(Qt::AltModifier) && !ctrl)
        return std::nullopt;
    // The keys the router takes by name.
    static constexpr std::pair<int, int> named[] = {
        {Qt::Key_Backspace, keyBackspace}, {Qt::Key_Tab, keyTab},
        {Qt::Key_Backtab, keyTab},         {Qt::Key_Return, keyEnter},
        {Qt::Key_Enter, keyEnter},         {Qt::Key_Escape, keyEscape},
        {Qt::Key_Left, keyArrowLeft},      {Qt::Key_Right, keyArrowRight},
        {Qt::Key_Up, keyArrowUp},          {Qt::Key_Down, keyArrowDown},
        {Qt::Key_Home, keyHome},           {Qt::Key_End, keyEnd},
        {Qt::Key_Delete, keyDelete}};
    for (const auto& [qtKey, code] : named)
        if (e.key() == qtKey)
            return Key::special(code);
    if (ctrl && e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
        return Key::control(static_cast<char>('a' + (e.key() - Qt::Key_A)));
    const QString text = e.text();
    if (text.isEmpty() || ctrl)
        return std::nullopt;
    const QList<uint> chars = text.toUcs4();
    if (chars.isEmpty() || chars.front() < 32 || chars.front() == 127)
        return std::nullopt;
    return Key::character(static_cast<char32_t>(chars.front()));
}

void BottomForm::paste() {
    const QString text = QGuiApplication::clipboard()->text();
    const QList<uint> chars = text.toUcs4();
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const uint c = chars[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one line end.
            if (c == '\r' && i + 1 < chars.size() && chars[i + 1] == '\n')
                ++i;
            pasted_.push_back(Key::special(keyEnter));
        } else if (c == '\t') {
            pasted_.push_back(Key::special(keyTab));
        } else if (c >= 32 && c != 127) {
            pasted_.push_back(Key::character(static_cast<char32_t>(c)));
        }
    }
}

void BottomForm::typePasted() {
    // Keys go in one command at a time: while one runs (a pause), the rest
    // wait for it, as a terminal's type-ahead does.
    if (main_.sim().busy()) {
        if (!pasted_.empty())
            QTimer::singleShot(20, this, &BottomForm::typePasted);
        return;
    }
    Simulator& sim = main_.sim();
    while (!pasted_.empty() && !main_.sim().busy()) {
        const Key key = pasted_.front();
        pasted_.pop_front();
        main_.runCore([&sim, key] { pressKey(sim, key); });
    }
}

void BottomForm::keyEvent(QKeyEvent* e) {
    if (e->type() == QEvent::KeyPress && e->matches(QKeySequence::Paste)) {
        // Typed as keys, so the core sees a paste as the router sees one.
        paste();
        if (waitingKey_ && !pasted_.empty() && waitLoop_)
            waitLoop_->quit();
        QTimer::singleShot(0, this, &BottomForm::typePasted);
        return;
    }
    if (waitingKey_) {
        // " --More--" takes the next typed character; keys that type none go
        // by unnoticed.
        if (e->type() != QEvent::KeyPress)
            return;
        const std::optional<Key> k = translate(*e);
        if (k && k->ch != 0) {
            waitedKey_ = static_cast<int>(k->ch);
            if (waitLoop_)
                waitLoop_->quit();
        }
        return;
    }
    // A key typed while a command still runs (a pause) has nowhere to go.
    if (main_.sim().busy())
        return;
    Simulator& sim = main_.sim();
    if (e->key() == Qt::Key_Escape) {
        // Esc is held down around the letter of an Esc chord.
        if (e->isAutoRepeat())
            return;
        if (e->type() == QEvent::KeyPress)
            main_.runCore([&sim] {
                if (sim.input.enabled)
                    keyDown(sim, keyEscape, false);
            });
        else
            main_.runCore([&sim] { keyUp(sim, keyEscape); });
        return;
    }
    if (e->type() != QEvent::KeyPress)
        return;
    const std::optional<Key> k = translate(*e);
    if (!k)
        return;
    const Key key = *k;
    main_.runCore([&sim, key] { pressKey(sim, key); });
}

bool BottomForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextWrite) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key belongs to the console, none to a menu shortcut, but
            // F10, F6 and Alt with a letter (no router keys) reach the menu
            // bar, the other panes and the side panel.
            if (const auto* k = static_cast<QKeyEvent*>(event);
                k->key() == Qt::Key_F10 || k->key() == Qt::Key_F6 ||
                k->modifiers().testFlag(Qt::AltModifier)) {
                // Not even the line edit may claim it.
                event->ignore();
                return true;
            }
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            keyEvent(static_cast<QKeyEvent*>(event));
            return true;
        case QEvent::InputMethod:
        case QEvent::Drop:
            return true;
        case QEvent::MouseButtonRelease:
            // No middle-button paste past the core.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
                return true;
            break;
        default:
            break;
        }
    } else if (watched == TextShow->viewport() && event->type() == QEvent::Wheel) {
        // The wheel over the pane moves the console's own scroll bar.
        if (VScroll1->isEnabled())
            QApplication::sendEvent(VScroll1, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kestro
