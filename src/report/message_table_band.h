#pragma once

#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "report/report.h"

namespace zvc {

// The texts of grid columns 1–7 of a message view, one printed row.
using MessageReportRow = std::array<QString, 7>;

// One page of a message report's table: headings framed together with the rows below them.
class MessageTableBand : public ReportBand {
 public:
  struct Column {
    double left;
    double width;
    const char* heading;  // lines separated by "\n"
  };
  // A heading over neighbouring columns, whose own headings go under it.
  struct SpanningHeading {
    double left;
    double width;
    const char* text;
    std::size_t firstColumn;
    std::size_t lastColumn;
  };

  static constexpr double kRowsTop = 63;
  static constexpr double kRowHeight = 13;
  static constexpr double kHeightBeforeRows = 92;

  std::size_t rowCount() const { return rows_.size(); }
  const MessageReportRow& row(std::size_t index) const { return rows_.at(index); }

  double height() const override;
  void paint(ReportCanvas& canvas) const override;

 protected:
  MessageTableBand(std::span<const Column, 7> columns, std::optional<SpanningHeading> spanning,
                   std::vector<MessageReportRow> rows);

 private:
  bool spanned(std::size_t column) const;
  double ruleBefore(std::size_t column) const;
  void paintFrameAndRules(ReportCanvas& canvas) const;
  void paintHeadings(ReportCanvas& canvas) const;
  void paintRows(ReportCanvas& canvas) const;

  std::span<const Column, 7> columns_;
  std::optional<SpanningHeading> spanning_;
  std::vector<MessageReportRow> rows_;
};

// A page of the diagnostic message report.
class TAlaTable final : public MessageTableBand {
 public:
  explicit TAlaTable(std::vector<MessageReportRow> rows);
};

// A page of the operator-intervention message report.
class TAudTable final : public MessageTableBand {
 public:
  explicit TAudTable(std::vector<MessageReportRow> rows);
};

}  // namespace zvc
