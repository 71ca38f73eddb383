#include "report/trend_chart.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSaveFile>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace zvc {
namespace {

constexpr double kMsPerDay = 86400000.0;
constexpr qreal kMarkerSize = 9;

const QColor kParameterColours[] = {QColor(0x1F, 0x5F, 0xBF), QColor(0x2E, 0x8B, 0x57),
                                    QColor(0x8B, 0x45, 0x13), QColor(0x6A, 0x3D, 0x9A),
                                    QColor(0x00, 0x80, 0x80), QColor(0x55, 0x55, 0x55)};
const QColor kWarningColour(0xF0, 0xA0, 0x00);
const QColor kAlarmColour(0xD0, 0x10, 0x10);
const QColor kFlaggedColour(0x80, 0x80, 0x80);

// The controller's local time as the axis counts it.
qreal axisTime(double day) {
  const QDateTime start(QDate(1899, 12, 30), QTime(0, 0));
  return static_cast<qreal>(start.addMSecs(std::llround(day * kMsPerDay)).toMSecsSinceEpoch());
}

QString seriesName(const ChartSeries& series) {
  const QString name = QString::fromStdString(series.name);
  return series.unit.empty() ? name : name + ", " + QString::fromStdString(series.unit);
}

void attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* time, QAbstractAxis* values) {
  chart.addSeries(series);
  series->attachAxis(time);
  series->attachAxis(values);
}

void hideFromLegend(QChart& chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
}

void addRuns(QChart& chart, const ChartSeries& series, const QColor& colour, QAbstractAxis* time,
             QAbstractAxis* values) {
  bool first = true;
  for (const std::vector<ChartPoint>& run : series.runs) {
    auto* line = new QLineSeries;
    line->setColor(colour);
    line->setName(seriesName(series));
    // A lone value between gaps is a point, not an invisible line.
    line->setPointsVisible(run.size() == 1);
    for (const ChartPoint& point : run) line->append(axisTime(point.day), point.value);
    attach(chart, line, time, values);
    if (!first) hideFromLegend(chart, line);
    first = false;
  }
}

void addMarkers(QChart& chart, const std::vector<ChartPoint>& points, const QString& name,
                QScatterSeries::MarkerShape shape, const QColor& colour, QAbstractAxis* time,
                QAbstractAxis* values) {
  if (points.empty()) return;
  auto* markers = new QScatterSeries;
  markers->setName(name);
  markers->setMarkerShape(shape);
  markers->setMarkerSize(kMarkerSize);
  markers->setColor(colour);
  markers->setBorderColor(colour.darker());
  for (const ChartPoint& point : points) markers->append(axisTime(point.day), point.value);
  attach(chart, markers, time, values);
}

void addSetpoint(QChart& chart, std::optional<float> setpoint, const QString& name,
                 const QColor& colour, std::pair<double, double> span, QAbstractAxis* time,
                 QAbstractAxis* values) {
  if (!setpoint) return;
  auto* line = new QLineSeries;
  line->setName(name);
  QPen pen(colour, 1.5, Qt::DashLine);
  line->setPen(pen);
  line->append(axisTime(span.first), *setpoint);
  line->append(axisTime(span.second), *setpoint);
  attach(chart, line, time, values);
}

// The first and last time of all runs; a day around now when there is none.
std::pair<double, double> timeSpan(const std::vector<ChartSeries>& series) {
  double first = INFINITY;
  double last = -INFINITY;
  for (const ChartSeries& s : series) {
    for (const auto& run : s.runs) {
      first = std::min(first, run.front().day);
      last = std::max(last, run.back().day);
    }
  }
  if (first > last) return {0, 1};
  if (first == last) return {first - 0.5, last + 0.5};
  return {first, last};
}

QString timeFormat(std::pair<double, double> span) {
  return span.second - span.first > 3 ? "dd.MM.yy" : "dd.MM.yy hh:mm";
}

// The values and setpoints of one parameter fit on its axis.
void fitAxis(QValueAxis& axis, const ChartSeries& series) {
  double low = INFINITY;
  double high = -INFINITY;
  for (const auto& run : series.runs) {
    for (const ChartPoint& point : run) {
      low = std::min(low, point.value);
      high = std::max(high, point.value);
    }
  }
  for (const std::optional<float>& setpoint : {series.lowerSetpoint, series.upperSetpoint}) {
    if (!setpoint) continue;
    low = std::min(low, static_cast<double>(*setpoint));
    high = std::max(high, static_cast<double>(*setpoint));
  }
  if (low > high) return;
  const double margin = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 1.0);
  axis.setRange(low - margin, high + margin);
  axis.applyNiceNumbers();
}

}  // namespace

QChart* buildTrendChart(const QString& title, const std::vector<ChartSeries>& series) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  const std::pair<double, double> span = timeSpan(series);
  auto* time = new QDateTimeAxis;
  time->setFormat(timeFormat(span));
  time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(axisTime(span.first))),
                 QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(axisTime(span.second))));
  time->setTickCount(7);
  chart->addAxis(time, Qt::AlignBottom);
  for (std::size_t i = 0; i < series.size(); ++i) {
    const ChartSeries& s = series[i];
    const QColor colour = kParameterColours[i % std::size(kParameterColours)];
    auto* values = new QValueAxis;
    values->setTitleText(seriesName(s));
    values->setLinePenColor(colour);
    values->setLabelsColor(colour);
    values->setTitleBrush(colour);
    fitAxis(*values, s);
    chart->addAxis(values, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    const QString name = QString::fromStdString(s.name);
    addRuns(*chart, s, colour, time, values);
    addSetpoint(*chart, s.lowerSetpoint, name + ": нижняя ПУ", colour.lighter(130), span, time,
                values);
    addSetpoint(*chart, s.upperSetpoint, name + ": верхняя ПУ", colour.darker(130), span, time,
                values);
    addMarkers(*chart, s.warnings, name + ": * - в зоне ПУ", QScatterSeries::MarkerShapeTriangle,
               kWarningColour, time, values);
    addMarkers(*chart, s.alarms, name + ": # - в зоне АУ",
               QScatterSeries::MarkerShapeRotatedRectangle, kAlarmColour, time, values);
    addMarkers(*chart, s.flagged, name + ": \" - есть признаки состояния",
               QScatterSeries::MarkerShapeCircle, kFlaggedColour, time, values);
  }
  return chart;
}

bool writeChartPng(QChartView& view, const QString& file) {
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  if (!view.grab().toImage().save(&out, "PNG")) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

bool renderChartPng(const QString& title, const std::vector<ChartSeries>& series, QSize size,
                    const QString& file) {
  QChartView view(buildTrendChart(title, series));
  view.setRenderHint(QPainter::Antialiasing);
  view.setFrameShape(QFrame::NoFrame);
  view.resize(size);
  return writeChartPng(view, file);
}

}  // namespace zvc
