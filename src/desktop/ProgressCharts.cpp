#include "desktop/ProgressCharts.h"

#include "platform/AppFolder.h"

#include <QLabel>
#include <QLibrary>

namespace kestro {

namespace {

// The module's two entry points, looked for once: beside the program (the
// build tree), then where it is installed.
struct ChartsModule {
    MakeForecastChart forecast = nullptr;
    MakeScoreChart score = nullptr;
};

const ChartsModule& chartsModule() {
    static const ChartsModule module = [] {
        ChartsModule found;
        const QString bin = QString::fromStdString(executableFolder());
        QString why;
        for (const QString& folder :
             {bin, bin + QStringLiteral("/") + QStringLiteral(KESTRO_CHARTS_FROM_BIN)}) {
            // Never unloaded: the charts it drew may still be shown.
            QLibrary library(folder + QStringLiteral("/kestro-charts"));
            if (!library.load()) {
                why = library.errorString();
                continue;
            }
            found.forecast =
                reinterpret_cast<MakeForecastChart>(library.resolve(forecastChartSymbol));
            found.score = reinterpret_cast<MakeScoreChart>(library.resolve(scoreChartSymbol));
            if (found.forecast != nullptr && found.score != nullptr)
                return found;
            why = library.errorString();
            found = {};
        }
        qWarning("kestro: the charts are given in words: %s", qPrintable(why));
        return found;
    }();
    return module;
}

// The module's chart, or without the module the figures in words; either
// way named for a screen reader, with the figures as its description.
template <typename Chart>
QWidget* shown(QWidget* (*make)(const Chart&), const Chart& chart, const QString& name,
               const char* objectName) {
    QWidget* view;
    if (make != nullptr) {
        view = make(chart);
    } else {
        auto* label = new QLabel(chart.words);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view = label;
    }
    view->setObjectName(objectName);
    view->setAccessibleName(name);
    view->setAccessibleDescription(chart.words);
    return view;
}

} // namespace

QWidget* forecastChart(const ForecastChart& chart) {
    return shown(chartsModule().forecast, chart, QStringLiteral("Cards due in the next seven days"),
                 "cardForecast");
}

QWidget* scoreChart(const ScoreChart& chart) {
    return shown(chartsModule().score, chart, QStringLiteral("Score history"), "scoreHistory");
}

} // namespace kestro
