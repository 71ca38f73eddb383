#pragma once

#include <QSize>
#include <QString>
#include <vector>

#include "core/archives/chart_series.h"

class QChart;
class QChartView;

namespace zvc {

// A trend chart of the chosen parameters: time on the x axis, each parameter on its own value
// axis in its own colour, the runs of shown values as lines (a gap stays empty), the warning,
// alarm and flagged points as distinct markers and the warning setpoints as dashed lines. The
// caller owns the chart.
QChart* buildTrendChart(const QString& title, const std::vector<ChartSeries>& series);

// The view as a PNG, written through a temporary file so that a failed write leaves an older
// image whole.
bool writeChartPng(QChartView& view, const QString& file);

// The chart drawn offscreen at `size` into a PNG (needs a QApplication).
bool renderChartPng(const QString& title, const std::vector<ChartSeries>& series, QSize size,
                    const QString& file);

}  // namespace zvc
