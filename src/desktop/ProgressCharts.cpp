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

// Without the module: the figures in words, named as the chart would be.
QWidget* inWords(const QString& name, const QString& words) {
    auto* label = new QLabel(words);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleName(name);
    label->setAccessibleDescription(words);
    return label;
}

} // namespace

QWidget* forecastChart(const ForecastChart& chart) {
    QWidget* view = chartsModule().forecast != nullptr
                        ? chartsModule().forecast(chart)
                        : inWords(QStringLiteral("Cards due in the next seven days"), chart.words);
    view->setObjectName("cardForecast");
    return view;
}

QWidget* scoreChart(const ScoreChart& chart) {
    QWidget* view = chartsModule().score != nullptr
                        ? chartsModule().score(chart)
                        : inWords(QStringLiteral("Score history"), chart.words);
    view->setObjectName("scoreHistory");
    return view;
}

} // namespace kestro
