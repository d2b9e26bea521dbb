// The charts module: draws the charts of My Progress with Qt Charts. Loaded
// by the program the first time a chart is shown.
#include "desktop/ProgressCharts.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {

// The figures in words are the tooltip; the program names the view and
// gives it the same words for a screen reader.
QChartView* chartView(QChart* chart, const QString& words) {
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(220);
    view->setToolTip(words);
    return view;
}

} // namespace

extern "C" Q_DECL_EXPORT QWidget* kestroForecastChart(const kestro::ForecastChart& data) {
    auto* set = new QBarSet(QStringLiteral("Cards due"));
    for (int count : data.counts)
        *set << count;
    auto* series = new QBarSeries;
    series->append(set);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Cards due in the next seven days"));
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(data.days);
    auto* y = new QValueAxis;
    const int most =
        data.counts.empty() ? 0 : *std::max_element(data.counts.begin(), data.counts.end());
    // Whole cards on the scale: one tick per card up to ten.
    const int top = std::max(4, most);
    y->setRange(0, top);
    y->setLabelFormat(QStringLiteral("%d"));
    if (top <= 10)
        y->setTickCount(top + 1);
    else
        y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    return chartView(chart, data.words);
}

extern "C" Q_DECL_EXPORT QWidget* kestroScoreChart(const kestro::ScoreChart& data) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Score history (out of 1000)"));
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Attempt"));
    x->setLabelFormat(QStringLiteral("%d"));
    auto* y = new QValueAxis;
    y->setRange(0, 1000);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    std::size_t attempts = 2;
    for (const kestro::ScoreChart::Line& t : data.lines) {
        auto* line = new QLineSeries;
        line->setName(t.caption);
        line->setPointsVisible(true);
        for (std::size_t i = 0; i < t.scores.size(); ++i)
            line->append(static_cast<double>(i + 1), t.scores[i]);
        attempts = std::max(attempts, t.scores.size());
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    x->setRange(1, static_cast<double>(attempts));
    x->setTickCount(static_cast<int>(std::min<std::size_t>(attempts, 11)));
    QChartView* view = chartView(chart, data.words);
    view->setMinimumHeight(280);
    return view;
}
