#include "report/report.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>

#include "core/common/format.h"

namespace zvc {
namespace {

// Page header and footer: one line of the table font each, with a small gap to the body.
constexpr double kPageLineHeight = 14;
constexpr double kBodyTop = 18;
constexpr double kBodyBottomGap = 18;
constexpr double kRuleWidth = 0.7;
constexpr ReportTextStyle kPageHeaderStyle{8, false, Qt::AlignRight | Qt::AlignVCenter};
constexpr ReportTextStyle kFooterStyle{8, false, Qt::AlignHCenter | Qt::AlignVCenter};

QString footerText(int page, int pages) {
  return QString("Лист") + ' ' + QString::number(page) + ' ' +
         QString::fromStdString(format("из %d", pages));
}

}  // namespace

ReportCanvas::ReportCanvas(QPainter& painter, double devicePixelsPerUnit)
    : painter_(painter), devicePixelsPerUnit_(devicePixelsPerUnit) {}

QFont ReportCanvas::fontFor(const ReportTextStyle& style) const {
  // The printed forms were drawn in "MS Sans Serif"; DejaVu Sans is the sans-serif every Debian
  // has, narrowed where its condensed face is installed. The painter scales units to device
  // pixels, so the point size is divided by that scale to keep the printed size.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setStretch(QFont::SemiCondensed);
  font.setBold(style.bold);
  font.setPointSizeF(style.pointSize / devicePixelsPerUnit_);
  return font;
}

void ReportCanvas::text(const QRectF& box, const QString& text, const ReportTextStyle& style) {
  const QFont font = fontFor(style);
  painter_.setFont(font);
  const QFontMetricsF metrics(font, painter_.device());
  const QStringList lines = text.split('\n');
  const double lineHeight = metrics.height();
  const double blockHeight = lineHeight * static_cast<double>(lines.size());
  double top = box.top();
  if (style.alignment & Qt::AlignVCenter) top += (box.height() - blockHeight) / 2;
  if (style.alignment & Qt::AlignBottom) top += box.height() - blockHeight;
  const double left = box.left() + style.indent;
  const double room = box.width() - style.indent;
  for (const QString& line : lines) {
    const double width = metrics.horizontalAdvance(line);
    const double squeeze = width > room ? room / width : 1.0;
    double x = left;
    if (style.alignment & Qt::AlignHCenter) x += (room - width * squeeze) / 2;
    if (style.alignment & Qt::AlignRight) x += room - width * squeeze;
    painter_.save();
    painter_.translate(x, top + metrics.ascent());
    painter_.scale(squeeze, 1.0);
    painter_.drawText(QPointF(0, 0), line);
    painter_.restore();
    top += lineHeight;
  }
}

void ReportCanvas::line(double x1, double y1, double x2, double y2) {
  painter_.setPen(QPen(Qt::black, kRuleWidth));
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ReportCanvas::frame(const QRectF& box) {
  painter_.setPen(QPen(Qt::black, kRuleWidth));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(box);
}

void ReportCanvas::at(double top, const std::function<void()>& paint) {
  painter_.save();
  painter_.translate(0, top);
  paint();
  painter_.restore();
}

TextLinesBand::TextLinesBand(double height, std::vector<Line> lines)
    : height_(height), lines_(std::move(lines)) {}

void TextLinesBand::paint(ReportCanvas& canvas) const {
  for (const Line& line : lines_) {
    canvas.text(QRectF(line.left, line.top, line.width, line.height), line.text, line.style);
  }
}

Report::Report(const QMarginsF& marginsMm) : marginsMm_(marginsMm) {
  pages_.emplace_back();
}

bool Report::fits(const std::vector<std::unique_ptr<ReportBand>>& page, double pageHeight) const {
  double height = 0;
  for (const auto& band : page) height += band->height();
  return kBodyTop + height <= pageHeight - kBodyBottomGap;
}

void Report::paintPage(ReportCanvas& canvas, int page, double pageHeight) const {
  canvas.text(QRectF(0, 0, kReportPageWidth, kPageLineHeight), pageHeader_, kPageHeaderStyle);
  double top = kBodyTop;
  for (const auto& band : pages_[static_cast<std::size_t>(page)]) {
    canvas.at(top, [&] { band->paint(canvas); });
    top += band->height();
  }
  canvas.text(QRectF(0, pageHeight - kPageLineHeight, kReportPageWidth, kPageLineHeight),
              footerText(page + 1, pageCount()), kFooterStyle);
}

bool Report::render(QPagedPaintDevice& device, const ReportPageProgress& progress) const {
  device.setPageSize(QPageSize(QPageSize::A4));
  device.setPageOrientation(QPageLayout::Portrait);
  // A printer that cannot print this close to the edge keeps its own margins.
  device.setPageMargins(marginsMm_, QPageLayout::Millimeter);
  const double scale = device.width() / kReportPageWidth;
  const double pageHeight = device.height() / scale;
  for (const auto& page : pages_) {
    if (!fits(page, pageHeight)) return false;
  }
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  ReportCanvas canvas(painter, scale);
  for (int page = 0; page < pageCount(); ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return false;
    }
    if (progress) progress(page + 1, pageCount());
    painter.setTransform(QTransform::fromScale(scale, scale));
    paintPage(canvas, page, pageHeight);
  }
  return painter.end();
}

}  // namespace zvc
