#include "desktop/frmSplash.h"

#include "Simulator.h"
#include "learning/Instructions.h"
#include "platform/ErrorLog.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace kestro {

frmSplash::frmSplash(Simulator& sim, QWidget* parent) : QDialog(parent) {
    setObjectName("frmSplash");
    setWindowTitle(QStringLiteral("Kestro Router Simulator"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    picture_ = new QLabel(this);
    picture_->setObjectName("Picture1");
    picture_->setAlignment(Qt::AlignCenter);
    const QString file =
        QString::fromStdString(applicationFolder()) + QStringLiteral("/SplashScreen.JPG");
    QPixmap pixmap(file);
    // Without the picture the box stays empty; the window keeps its size.
    QSize size(560, 340);
    if (!pixmap.isNull()) {
        picture_->setPixmap(pixmap);
        size = pixmap.deviceIndependentSize().toSize();
    }
    strip_ = new QWidget(this);
    strip_->setObjectName("ProgressBar1");
    strip_->setAutoFillBackground(true);
    QPalette sp = strip_->palette();
    sp.setColor(QPalette::Window, QColor(0, 0, 128));
    strip_->setPalette(sp);
    setFixedSize(size.width(), size.height() + 14);
    picture_->setGeometry(0, 0, size.width(), size.height());

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &frmSplash::tick);

    setWelcomeText(sim);
    layoutStrip();
    timer_->start();
}

void frmSplash::tick() {
    if (count_ > 0) {
        --count_;
        layoutStrip();
        return;
    }
    timer_->stop();
    accept();
}

void frmSplash::layoutStrip() {
    // The strip grows by a fixed width on each of the three ticks.
    const int step = width() / 3;
    strip_->setGeometry(0, height() - 12, step * (3 - count_), 10);
}

void frmSplash::resizeEvent(QResizeEvent*) {
    layoutStrip();
}

void frmSplash::keyPressEvent(QKeyEvent*) {
    timer_->stop();
    accept();
}

void frmSplash::mousePressEvent(QMouseEvent*) {
    timer_->stop();
    accept();
}

} // namespace kestro
