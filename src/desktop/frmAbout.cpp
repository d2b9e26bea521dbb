#include "desktop/frmAbout.h"

#include "platform/ErrorLog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

#ifndef KESTRO_VERSION
#define KESTRO_VERSION "0.1.0"
#endif

namespace kestro {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About Kestro Router Simulator"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Kestro Router Simulator"), this);
    title->setObjectName("lblTitle");
    QFont tf = title->font();
    tf.setPointSize(16);
    tf.setBold(true);
    title->setFont(tf);
    auto* version = new QLabel(QStringLiteral("Version " KESTRO_VERSION), this);
    version->setObjectName("lblVersion");
    auto* description = new QLabel(
        QStringLiteral("A study tool for an entry-level router certification: a simulated "
                       "router console with guided labs, graded tests, troubleshooting "
                       "exercises, flash cards and network diagrams."),
        this);
    description->setObjectName("lblDescription");
    description->setWordWrap(true);
    auto* warning = new QLabel(
        QStringLiteral("Warning: the simulated router answers a subset of the commands of a "
                       "real router. Practise on real equipment before an exam or a "
                       "production network."),
        this);
    warning->setObjectName("lblDisclaimer");
    warning->setWordWrap(true);
    QPalette wp = warning->palette();
    wp.setColor(QPalette::WindowText, QColor(128, 0, 0));
    warning->setPalette(wp);
    for (QLabel* l : {title, version, description, warning}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(l);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* info =
        buttons->addButton(QStringLiteral("&System Info..."), QDialogButtonBox::ActionRole);
    info->setObjectName("cmdSysInfo");
    connect(info, &QPushButton::clicked, this, &frmAbout::showSystemInformation);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

QString frmAbout::systemInformation() {
    QStringList lines;
    lines << QStringLiteral("Kestro Router Simulator %1").arg(QStringLiteral(KESTRO_VERSION));
    lines
        << QStringLiteral("Qt %1 (built with %2)").arg(qVersion(), QStringLiteral(QT_VERSION_STR));
    lines << QStringLiteral("Operating system: %1").arg(QSysInfo::prettyProductName());
    lines << QStringLiteral("Kernel: %1 %2, %3")
                 .arg(QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                      QSysInfo::currentCpuArchitecture());
    lines << QStringLiteral("Window system: %1").arg(QGuiApplication::platformName());
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) {
        const QScreen* s = screens[i];
        lines << QStringLiteral("Screen %1: %2 x %3 pixels, %4 dots per inch, scale %5")
                     .arg(i + 1)
                     .arg(s->size().width())
                     .arg(s->size().height())
                     .arg(qRound(s->logicalDotsPerInch()))
                     .arg(s->devicePixelRatio());
    }
    lines << QStringLiteral("Application folder: %1")
                 .arg(QString::fromStdString(applicationFolder()));
    return lines.join('\n');
}

void frmAbout::showSystemInformation() {
    QDialog box(this);
    box.setObjectName("systemInformation");
    box.setWindowTitle(QStringLiteral("System Information"));
    auto* layout = new QVBoxLayout(&box);
    auto* text = new QPlainTextEdit(systemInformation(), &box);
    text->setReadOnly(true);
    text->setMinimumSize(520, 200);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

} // namespace kestro
