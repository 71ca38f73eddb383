#include "report/report_table_band.h"

namespace zvc {
namespace {

constexpr double kCellPadding = 2;
constexpr ReportTextStyle kHeadingStyle{8, false, Qt::AlignHCenter | Qt::AlignVCenter};
constexpr ReportTextStyle kCellStyle{8, false, Qt::AlignLeft | Qt::AlignVCenter};

double rightOf(const ReportTableBand::Column& column) {
  return column.left + column.width;
}

}  // namespace

ReportTableBand::ReportTableBand(std::span<const Column> columns,
                                 std::optional<SpanningHeading> spanning, const Geometry& geometry,
                                 std::vector<Row> rows, std::vector<QString> headings)
    : columns_(columns),
      headings_(std::move(headings)),
      spanning_(spanning),
      geometry_(geometry),
      rows_(std::move(rows)) {
  if (headings_.empty()) {
    for (const Column& column : columns_) headings_.push_back(QString::fromUtf8(column.heading));
  }
  headings_.resize(columns_.size());
  for (Row& row : rows_) row.resize(columns_.size());
}

double ReportTableBand::height() const {
  return geometry_.heightBeforeRows + geometry_.rowHeight * static_cast<double>(rows_.size());
}

void ReportTableBand::paint(ReportCanvas& canvas) const {
  paintFrameAndRules(canvas);
  paintHeadings(canvas);
  paintRows(canvas);
}

bool ReportTableBand::spanned(std::size_t column) const {
  return spanning_ && column >= spanning_->firstColumn && column <= spanning_->lastColumn;
}

// Halfway across the gap that separates the column from the one before it; the frame itself
// for the first column.
double ReportTableBand::ruleBefore(std::size_t column) const {
  if (column == 0) return columns_[0].left;
  return (rightOf(columns_[column - 1]) + columns_[column].left) / 2;
}

void ReportTableBand::paintFrameAndRules(ReportCanvas& canvas) const {
  const Geometry& g = geometry_;
  const double left = columns_.front().left;
  const double right = rightOf(columns_.back());
  const double bottom =
      g.rowsTop + g.rowHeight * static_cast<double>(rows_.size()) + g.frameBelowRows;
  canvas.frame(QRectF(left, g.frameTop, right - left, bottom - g.frameTop));
  canvas.line(left, g.headingRule, right, g.headingRule);
  for (std::size_t column = 1; column < columns_.size(); ++column) {
    // Between two columns under one spanning heading the rule starts below that heading.
    const bool inside = spanned(column) && spanned(column - 1);
    const double x = ruleBefore(column);
    canvas.line(x, inside ? g.spanningRule : g.frameTop, x, bottom);
  }
  if (spanning_) {
    const double from = ruleBefore(spanning_->firstColumn);
    const double to =
        spanning_->lastColumn + 1 < columns_.size() ? ruleBefore(spanning_->lastColumn + 1) : right;
    canvas.line(from, g.spanningRule, to, g.spanningRule);
  }
}

void ReportTableBand::paintHeadings(ReportCanvas& canvas) const {
  const Geometry& g = geometry_;
  if (spanning_) {
    canvas.text(QRectF(spanning_->left, g.frameTop, spanning_->width, g.spanningRule - g.frameTop),
                QString::fromUtf8(spanning_->text), kHeadingStyle);
  }
  for (std::size_t column = 0; column < columns_.size(); ++column) {
    const double top = spanned(column) ? g.spanningRule : g.frameTop;
    const Column& shown = columns_[column];
    canvas.text(QRectF(shown.left, top, shown.width, g.headingRule - top), headings_[column],
                kHeadingStyle);
  }
}

void ReportTableBand::paintRows(ReportCanvas& canvas) const {
  double top = geometry_.rowsTop;
  for (const Row& row : rows_) {
    for (std::size_t column = 0; column < columns_.size(); ++column) {
      const Column& shown = columns_[column];
      canvas.text(QRectF(shown.left + kCellPadding, top, shown.width - kCellPadding,
                         geometry_.rowHeight),
                  row[column], kCellStyle);
    }
    top += geometry_.rowHeight;
  }
}

}  // namespace zvc
