#include "report/message_table_band.h"

namespace zvc {
namespace {

constexpr double kFrameTop = 2;
constexpr double kHeadingRule = 61;
constexpr double kSpanningRule = 20;
constexpr double kFrameBelowRows = 2;
constexpr double kCellPadding = 2;
constexpr ReportTextStyle kHeadingStyle{8, false, Qt::AlignHCenter | Qt::AlignVCenter};
constexpr ReportTextStyle kCellStyle{8, false, Qt::AlignLeft | Qt::AlignVCenter};

constexpr std::array<MessageTableBand::Column, 7> kAlaColumns{{
    {0, 52, "Дата"},
    {58, 52, "Время"},
    {115, 200, "Событие"},
    {321, 205, "Объект / Причина"},
    {531, 60, "Текущее\nзначение\nпараметра"},
    {597, 60, "Значение\nуставки"},
    {661, 58, "Единица\nизмер."},
}};
constexpr MessageTableBand::SpanningHeading kAlaMessageHeading{115, 409, "Сообщение", 2, 3};

constexpr std::array<MessageTableBand::Column, 7> kAudColumns{{
    {0, 52, "Дата"},
    {58, 52, "Время"},
    {115, 272, "Наименование параметра"},
    {395, 87, "Старое\nзначение"},
    {488, 87, "Новое\nзначение"},
    {580, 60, "Единица\nизмер."},
    {646, 71, "Имя\nоператора"},
}};

double rightOf(const MessageTableBand::Column& column) {
  return column.left + column.width;
}

}  // namespace

MessageTableBand::MessageTableBand(std::span<const Column, 7> columns,
                                   std::optional<SpanningHeading> spanning,
                                   std::vector<MessageReportRow> rows)
    : columns_(columns), spanning_(spanning), rows_(std::move(rows)) {}

double MessageTableBand::height() const {
  return kHeightBeforeRows + kRowHeight * static_cast<double>(rows_.size());
}

void MessageTableBand::paint(ReportCanvas& canvas) const {
  paintFrameAndRules(canvas);
  paintHeadings(canvas);
  paintRows(canvas);
}

bool MessageTableBand::spanned(std::size_t column) const {
  return spanning_ && column >= spanning_->firstColumn && column <= spanning_->lastColumn;
}

// Halfway across the gap that separates the column from the one before it; the frame itself
// for the first column.
double MessageTableBand::ruleBefore(std::size_t column) const {
  if (column == 0) return columns_[0].left;
  return (rightOf(columns_[column - 1]) + columns_[column].left) / 2;
}

void MessageTableBand::paintFrameAndRules(ReportCanvas& canvas) const {
  const double left = columns_.front().left;
  const double right = rightOf(columns_.back());
  const double bottom = kRowsTop + kRowHeight * static_cast<double>(rows_.size()) + kFrameBelowRows;
  canvas.frame(QRectF(left, kFrameTop, right - left, bottom - kFrameTop));
  canvas.line(left, kHeadingRule, right, kHeadingRule);
  for (std::size_t column = 1; column < columns_.size(); ++column) {
    // Between two columns under one spanning heading the rule starts below that heading.
    const bool inside = spanned(column) && spanned(column - 1);
    const double x = ruleBefore(column);
    canvas.line(x, inside ? kSpanningRule : kFrameTop, x, bottom);
  }
  if (spanning_) {
    const double from = ruleBefore(spanning_->firstColumn);
    const double to =
        spanning_->lastColumn + 1 < columns_.size() ? ruleBefore(spanning_->lastColumn + 1) : right;
    canvas.line(from, kSpanningRule, to, kSpanningRule);
  }
}

void MessageTableBand::paintHeadings(ReportCanvas& canvas) const {
  if (spanning_) {
    canvas.text(QRectF(spanning_->left, kFrameTop, spanning_->width, kSpanningRule - kFrameTop),
                QString::fromUtf8(spanning_->text), kHeadingStyle);
  }
  for (std::size_t column = 0; column < columns_.size(); ++column) {
    const double top = spanned(column) ? kSpanningRule : kFrameTop;
    const Column& shown = columns_[column];
    canvas.text(QRectF(shown.left, top, shown.width, kHeadingRule - top),
                QString::fromUtf8(shown.heading), kHeadingStyle);
  }
}

void MessageTableBand::paintRows(ReportCanvas& canvas) const {
  double top = kRowsTop;
  for (const MessageReportRow& row : rows_) {
    for (std::size_t column = 0; column < columns_.size(); ++column) {
      const Column& shown = columns_[column];
      canvas.text(QRectF(shown.left + kCellPadding, top, shown.width - kCellPadding, kRowHeight),
                  row[column], kCellStyle);
    }
    top += kRowHeight;
  }
}

TAlaTable::TAlaTable(std::vector<MessageReportRow> rows)
    : MessageTableBand(kAlaColumns, kAlaMessageHeading, std::move(rows)) {}

TAudTable::TAudTable(std::vector<MessageReportRow> rows)
    : MessageTableBand(kAudColumns, std::nullopt, std::move(rows)) {}

}  // namespace zvc
