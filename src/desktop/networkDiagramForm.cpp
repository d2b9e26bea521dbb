#include "desktop/networkDiagramForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"
#include "platform/ErrorLog.h"
#include "shell/SidePanel.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace kestro {

networkDiagramForm::networkDiagramForm(CoreDoor& main, QWidget* parent)
    : QWidget(parent), main_(main) {
    setObjectName("networkDiagramForm");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture2 = new QLabel(Picture1);
    Picture2->setObjectName("Picture2");
    Picture2->setAccessibleName(QStringLiteral("Network diagram"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName("HScroll1");
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName("VScroll1");
    HScroll1->hide();
    VScroll1->hide();
    missingNote = new QLabel(this);
    missingNote->setObjectName("missingNote");
    missingNote->setAlignment(Qt::AlignCenter);
    missingNote->setWordWrap(true);
    QPalette np = missingNote->palette();
    np.setColor(QPalette::WindowText, QColor(90, 90, 140));
    missingNote->setPalette(np);
    topologyText = new QPlainTextEdit(this);
    topologyText->setObjectName("topologyText");
    topologyText->setAccessibleName(QStringLiteral("Network diagram in words"));
    topologyText->setReadOnly(true);
    topologyText->setFocusPolicy(Qt::StrongFocus);
    topologyText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    topologyText->hide();
    showAsText = new QPushButton(QStringLiteral("Describe In Words"), this);
    showAsText->setObjectName("showAsText");
    showAsText->setCheckable(true);
    showAsText->setFocusPolicy(Qt::StrongFocus);
    showAsText->setToolTip(QStringLiteral("The network diagram told in words"));
    connect(showAsText, &QPushButton::toggled, this, &networkDiagramForm::showText);
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { Picture2->move(-layout_.horizontal.offsetFor(v), Picture2->y()); });
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { Picture2->move(Picture2->x(), -layout_.vertical.offsetFor(v)); });
}

void networkDiagramForm::sync() {
    QString words;
    for (const std::string& line : currentDiagramDescription(main_.sim()))
        words += QString::fromStdString(line) + QStringLiteral("\n\n");
    topologyText->setPlainText(words.trimmed());
    const std::string name = currentDiagramFile(main_.sim());
    loadPicture(name.empty() ? QString()
                             : QString::fromStdString(applicationFolder() + "/" + name));
}

void networkDiagramForm::loadPicture(const QString& path) {
    file_ = path;
    // A screen of twice the density gets the drawing made for it, so lines
    // and labels stay sharp.
    QString chosen = path;
    qreal ratio = 1.0;
    if (!path.isEmpty() && devicePixelRatioF() > 1.0) {
        QString sharp = path;
        sharp.insert(sharp.lastIndexOf('.'), QStringLiteral("@2x"));
        if (QFile::exists(sharp)) {
            chosen = sharp;
            ratio = 2.0;
        }
    }
    picture_ = chosen.isEmpty() ? QPixmap() : QPixmap(chosen);
    picture_.setDevicePixelRatio(ratio);
    Picture2->setPixmap(picture_);
    Picture2->resize(picture_.deviceIndependentSize().toSize());
    if (path.isEmpty())
        missingNote->setText(QStringLiteral("This activity has no network diagram."));
    else if (picture_.isNull())
        missingNote->setText(QStringLiteral("The diagram picture %1 could not be read.").arg(path));
    missingNote->setVisible(picture_.isNull());
    layoutViewport();
}

void networkDiagramForm::layoutViewport() {
    const QSize image = picture_.isNull() ? QSize() : picture_.deviceIndependentSize().toSize();
    layout_ = diagramLayout(width(), height(), image.width(), image.height());
    Picture1->setGeometry(layout_.left, layout_.top, layout_.width, layout_.height);
    Picture2->move(0, 0);
    auto setUp = [](QScrollBar* bar, const DiagramScrollBar& s) {
        const QSignalBlocker block(bar);
        bar->setRange(0, s.maximum);
        bar->setPageStep(s.largeStep);
        bar->setSingleStep(s.smallStep);
        bar->setValue(0);
        bar->setVisible(s.visible);
    };
    setUp(HScroll1, layout_.horizontal);
    setUp(VScroll1, layout_.vertical);
    const int bar = VScroll1->sizeHint().width();
    HScroll1->setGeometry(layout_.left, layout_.top + layout_.height, layout_.width, bar);
    VScroll1->setGeometry(layout_.left + layout_.width, layout_.top, bar, layout_.height);
    missingNote->setGeometry(width() / 10, height() / 2 - 40, width() * 8 / 10, 80);
    // The switch sits in the bottom right corner, where no diagram draws.
    const QSize button = showAsText->sizeHint().expandedTo(QSize(
        showAsText->fontMetrics().horizontalAdvance(QStringLiteral("Show The Picture")) + 24, 0));
    showAsText->setGeometry(width() - button.width() - 8, height() - button.height() - 8,
                            button.width(), button.height());
    showAsText->raise();
    const bool text = showAsText->isChecked();
    topologyText->setGeometry(8, 8, width() - 16, height() - button.height() - 24);
    if (text) {
        HScroll1->hide();
        VScroll1->hide();
        missingNote->hide();
    }
}

void networkDiagramForm::showText(bool on) {
    showAsText->setText(on ? QStringLiteral("Show The Picture")
                           : QStringLiteral("Describe In Words"));
    topologyText->setVisible(on);
    Picture1->setVisible(!on);
    if (on)
        topologyText->setFocus();
    layoutViewport();
}

void networkDiagramForm::resizeEvent(QResizeEvent*) {
    layoutViewport();
}

} // namespace kestro
