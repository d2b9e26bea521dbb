// The charts of My Progress. They are drawn by a module of their own
// (kestro-charts), loaded the first time a chart is asked for: the charting
// library is large, and linking it into the program would slow every start
// for a window a student opens now and then. Without the module (not
// installed, not loadable) each chart is given as its figures in words,
// which are also the chart's accessible description.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace kestro {

// The cards due on each of the next seven days.
struct ForecastChart {
    std::vector<int> counts;
    QStringList days;
    QString words;
};

// Each test's scores, attempt by attempt.
struct ScoreChart {
    struct Line {
        QString caption;
        std::vector<int> scores;
    };
    std::vector<Line> lines;
    QString words;
};

QWidget* forecastChart(const ForecastChart& chart);
QWidget* scoreChart(const ScoreChart& chart);

// The module's entry points: C names, so they are found by name.
using MakeForecastChart = QWidget* (*)(const ForecastChart&);
using MakeScoreChart = QWidget* (*)(const ScoreChart&);
inline constexpr const char* forecastChartSymbol = "kestroForecastChart";
inline constexpr const char* scoreChartSymbol = "kestroScoreChart";

} // namespace kestro
