#include "desktop/ProgressWindow.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"
#include "desktop/ProgressCharts.h"
#include "progress/Clock.h"
#include "progress/Record.h"
#include "shell/ProgressOverview.h"

#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestro {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// A bar of `done` of `total` with its count in words beside it; the words
// are also the bar's accessible description.
QWidget* countBar(const QString& what, int done, int total, const QString& unit) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QProgressBar;
    bar->setRange(0, std::max(total, 1));
    bar->setValue(done);
    bar->setTextVisible(false);
    const QString words = QStringLiteral("%1 of %2 %3").arg(done).arg(total).arg(unit);
    bar->setAccessibleName(what);
    bar->setAccessibleDescription(words);
    auto* count = new QLabel(words);
    // One width for every count, so the bars line up.
    count->setMinimumWidth(
        count->fontMetrics().horizontalAdvance(QStringLiteral("00 of 00 repaired")));
    layout->addWidget(bar, 1);
    layout->addWidget(count);
    return row;
}

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    label->setFont(f);
    return label;
}

// Replaces the contents of a tab with a fresh scrolled page.
QVBoxLayout* freshPage(QWidget* tab) {
    delete tab->layout();
    for (QWidget* child : tab->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->deleteLater();
    auto* outer = new QVBoxLayout(tab);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    scroll->setWidget(page);
    outer->addWidget(scroll);
    return new QVBoxLayout(page);
}

// The cards due on each of the next seven days, as bars.
QWidget* forecastChartOf(const std::vector<int>& forecast) {
    ForecastChart chart{forecast, {}, QStringLiteral("Cards due:")};
    for (std::size_t i = 0; i < forecast.size(); ++i) {
        chart.days << q(forecastDayLabel(static_cast<int>(i)));
        chart.words += QStringLiteral(" %1 %2;").arg(chart.days.back()).arg(forecast[i]);
    }
    return forecastChart(chart);
}

// Each test's attempts, best and last score.
QTableWidget* scoreTable(const std::vector<TestProgress>& tests) {
    auto* table = new QTableWidget(static_cast<int>(tests.size()), 4);
    table->setObjectName("testScores");
    table->setAccessibleName(QStringLiteral("Test scores"));
    table->setHorizontalHeaderLabels({QStringLiteral("Test"), QStringLiteral("Attempts"),
                                      QStringLiteral("Best score"), QStringLiteral("Last score")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    const auto score = [](const std::optional<int>& s) {
        return s ? QString::number(*s) : QStringLiteral("-");
    };
    for (std::size_t row = 0; row < tests.size(); ++row) {
        const TestProgress& t = tests[row];
        const QString cells[] = {q(t.caption), QString::number(t.scores.size()), score(t.best),
                                 score(t.last)};
        for (int c = 0; c < 4; ++c)
            table->setItem(static_cast<int>(row), c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->setMinimumHeight(table->horizontalHeader()->height() +
                            table->verticalHeader()->length() + 4);
    return table;
}

// One line per test: the score of each attempt, in order.
QWidget* scoreChartOf(const std::vector<TestProgress>& tests) {
    ScoreChart chart{{}, QStringLiteral("Score history.")};
    for (const TestProgress& t : tests) {
        chart.lines.push_back({q(t.caption), t.scores});
        chart.words += QStringLiteral(" ") + q(t.caption) + QStringLiteral(":");
        for (int score : t.scores)
            chart.words += QStringLiteral(" %1").arg(score);
        chart.words += t.scores.empty() ? QStringLiteral(" no attempt.") : QStringLiteral(".");
    }
    return scoreChart(chart);
}

} // namespace

ProgressWindow::ProgressWindow(CoreDoor& main, Record& record, QWidget* parent)
    : QDialog(parent), main_(main), record_(record) {
    setObjectName("progressWindow");
    setWindowTitle(QStringLiteral("My Progress"));
    setModal(false);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("progressTabs");
    overview_ = new QWidget;
    overview_->setObjectName("progressOverview");
    tests_ = new QWidget;
    tests_->setObjectName("progressTests");
    QWidget* activitiesTab = buildActivitiesTab();
    tabs_->addTab(overview_, QStringLiteral("&Overview"));
    tabs_->addTab(tests_, QStringLiteral("&Tests"));
    tabs_->addTab(activitiesTab, QStringLiteral("&Activities"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buildButtons());
    // Most of the main window, so the overview needs little scrolling.
    const int line = fontMetrics().height();
    const QSize room = parent ? parent->size() : QSize(line * 60, line * 40);
    resize(std::max(line * 44, room.width() * 3 / 5), std::max(line * 30, room.height() * 9 / 10));
}

QWidget* ProgressWindow::buildActivitiesTab() {
    auto* activitiesTab = new QWidget;
    activities_ = new QTableWidget(0, 5);
    activities_->setObjectName("progressActivities");
    activities_->setAccessibleName(QStringLiteral("Every activity and its progress"));
    activities_->setHorizontalHeaderLabels({QStringLiteral("Activity"), QStringLiteral("Status"),
                                            QStringLiteral("Percent"), QStringLiteral("Best score"),
                                            QStringLiteral("Last opened")});
    activities_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    activities_->setSelectionBehavior(QAbstractItemView::SelectRows);
    activities_->setSelectionMode(QAbstractItemView::SingleSelection);
    activities_->setTabKeyNavigation(false);
    activities_->verticalHeader()->hide();
    activities_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    resetSelected_ = new QPushButton(QStringLiteral("Reset &Selected Activity..."));
    resetSelected_->setObjectName("resetActivity");
    auto* activitiesLayout = new QVBoxLayout(activitiesTab);
    activitiesLayout->addWidget(activities_, 1);
    auto* activityButtons = new QHBoxLayout;
    activityButtons->addStretch();
    activityButtons->addWidget(resetSelected_);
    activitiesLayout->addLayout(activityButtons);
    connect(resetSelected_, &QPushButton::clicked, this, &ProgressWindow::resetSelected);
    connect(activities_, &QTableWidget::itemSelectionChanged, this,
            [this] { resetSelected_->setEnabled(!activities_->selectedItems().isEmpty()); });
    return activitiesTab;
}

QHBoxLayout* ProgressWindow::buildButtons() {
    auto* resetAll = new QPushButton(QStringLiteral("&Reset Progress..."), this);
    resetAll->setObjectName("resetProgress");
    auto* exportButton = new QPushButton(QStringLiteral("&Export..."), this);
    exportButton->setObjectName("exportProgress");
    auto* importButton = new QPushButton(QStringLiteral("&Import..."), this);
    importButton->setObjectName("importProgress");
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName("progressClose");
    resetAll->setToolTip(QStringLiteral("Forget every activity, test and flash card (asks first)"));
    exportButton->setToolTip(QStringLiteral("Save the record as a file for another computer or "
                                            "a teacher"));
    importButton->setToolTip(QStringLiteral("Join a saved record with this one; newer progress "
                                            "is kept"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(resetAll);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(importButton);
    buttons->addWidget(closeButton);

    connect(resetAll, &QPushButton::clicked, this, &ProgressWindow::resetAll);
    connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::exportRecord);
    connect(importButton, &QPushButton::clicked, this, &ProgressWindow::importRecord);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    return buttons;
}

void ProgressWindow::refresh() {
    const ProgressOverview o = progressOverview(main_.sim(), &record_, studyNow());
    fillOverview(o);
    fillTests(o);
    fillActivities(o);
}

void ProgressWindow::fillOverview(const ProgressOverview& o) {
    QVBoxLayout* page = freshPage(overview_);
    page->addWidget(heading(QStringLiteral("Labs completed")));
    auto* labs = new QFormLayout;
    for (const TopicProgress& topic : o.topics) {
        auto* label = new QLabel(q(topic.caption));
        QWidget* bar = countBar(QStringLiteral("Labs completed in ") + q(topic.caption),
                                topic.completed, topic.total,
                                topic.total == 1 ? QStringLiteral("lab") : QStringLiteral("labs"));
        labs->addRow(label, bar);
    }
    page->addLayout(labs);

    page->addWidget(heading(QStringLiteral("Troubleshooting")));
    page->addWidget(countBar(QStringLiteral("Exercises repaired"), o.exercisesRepaired,
                             o.exercisesTotal, QStringLiteral("repaired")));

    page->addWidget(heading(QStringLiteral("Flash cards")));
    const QString cards = QStringLiteral("%1 of %2 cards studied. Due today: %3; new cards today: "
                                         "up to %4.")
                              .arg(o.cardsStudied)
                              .arg(o.deckSize)
                              .arg(o.forecast.empty() ? 0 : o.forecast[0])
                              .arg(o.newToday);
    auto* cardLine = new QLabel(cards);
    cardLine->setWordWrap(true);
    page->addWidget(cardLine);
    page->addWidget(forecastChartOf(o.forecast));

    page->addWidget(heading(QStringLiteral("Time studied")));
    page->addWidget(new QLabel(QStringLiteral("In the last seven days: ") +
                               q(durationText(o.secondsThisWeek)) + QStringLiteral(".")));
    page->addStretch();
}

void ProgressWindow::fillTests(const ProgressOverview& o) {
    QVBoxLayout* page = freshPage(tests_);
    page->addWidget(scoreTable(o.tests));
    page->addWidget(scoreChartOf(o.tests), 1);
}

void ProgressWindow::fillActivities(const ProgressOverview& o) {
    activities_->setRowCount(static_cast<int>(o.activities.size()));
    for (std::size_t row = 0; row < o.activities.size(); ++row) {
        const ActivityRow& a = o.activities[row];
        const ActivityProgress& p = a.progress;
        const QString cells[] = {q(a.caption.empty() ? a.name : a.caption), q(p.status()),
                                 QStringLiteral("%1%").arg(p.percent()),
                                 p.bestScore ? QString::number(*p.bestScore) : QStringLiteral("-"),
                                 p.lastOpened ? q(isoDate(*p.lastOpened)) : QStringLiteral("-")};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(Qt::UserRole, q(a.name));
            activities_->setItem(static_cast<int>(row), c, item);
        }
    }
    activities_->resizeColumnsToContents();
    activities_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    resetSelected_->setEnabled(!activities_->selectedItems().isEmpty());
}

bool ProgressWindow::confirm(const QString& question) {
    if (confirmHook)
        return confirmHook(question);
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString ProgressWindow::chooseFile(bool forSaving) {
    if (fileHook)
        return fileHook(forSaving);
    const QString filter = QStringLiteral("Study record (*.json)");
    return forSaving ? QFileDialog::getSaveFileName(this, QStringLiteral("Export Progress"),
                                                    QStringLiteral("kestro-progress.json"), filter)
                     : QFileDialog::getOpenFileName(this, QStringLiteral("Import Progress"),
                                                    QString(), filter);
}

void ProgressWindow::tell(const QString& text) {
    main_.messageBox(text.toStdString());
}

void ProgressWindow::resetAll() {
    if (!confirm(QStringLiteral("Forget the progress of every lab, test and exercise and every "
                                "flash card's schedule? This cannot be undone; Export first to "
                                "keep a copy.")))
        return;
    if (!record_.resetAll())
        tell(QStringLiteral("The progress could not be reset: the study record could not be "
                            "written."));
    refresh();
    emit recordChanged();
}

void ProgressWindow::resetSelected() {
    const QList<QTableWidgetItem*> chosen = activities_->selectedItems();
    if (chosen.isEmpty())
        return;
    const std::string name = chosen.front()->data(Qt::UserRole).toString().toStdString();
    const QString caption = activities_->item(chosen.front()->row(), 0)->text();
    if (!confirm(QStringLiteral("Forget the progress of \"%1\", and the routers it was left "
                                "with?")
                     .arg(caption)))
        return;
    if (!record_.resetActivity(name))
        tell(QStringLiteral("The activity could not be reset: the study record could not be "
                            "written."));
    refresh();
    emit recordChanged();
}

void ProgressWindow::exportRecord() {
    const QString path = chooseFile(true);
    if (path.isEmpty())
        return;
    QFile file(path);
    const QByteArray text = QByteArray::fromStdString(record_.exportJson(studyNow()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush()) {
        tell(QStringLiteral("The progress could not be saved to %1: %2")
                 .arg(path, file.errorString()));
        return;
    }
    file.close();
    tell(QStringLiteral("Your progress is saved in %1.").arg(path));
}

void ProgressWindow::importRecord() {
    const QString path = chooseFile(false);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("%1 could not be read: %2").arg(path, file.errorString()));
        return;
    }
    std::string error;
    if (!record_.importJson(file.readAll().toStdString(), error)) {
        tell(QStringLiteral("Nothing was imported from %1: %2").arg(path, q(error)));
        return;
    }
    refresh();
    emit recordChanged();
    tell(QStringLiteral("The progress in %1 is joined with yours; where both had progress, the "
                        "newer and the better is kept.")
             .arg(path));
}

} // namespace kestro
