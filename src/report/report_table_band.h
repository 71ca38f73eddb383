#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "report/report.h"

namespace zvc {

// One page of a printed table: the column headings framed together with the rows below them,
// a rule between every two columns.
class ReportTableBand : public ReportBand {
 public:
  struct Column {
    double left;
    double width;
    const char* heading;  // lines separated by "\n"; nullptr when given apart as a text
  };
  // A heading over neighbouring columns, whose own headings go under it.
  struct SpanningHeading {
    double left;
    double width;
    const char* text;
    std::size_t firstColumn;
    std::size_t lastColumn;
  };
  // Vertical places, from the band's top.
  struct Geometry {
    double frameTop;
    double spanningRule;
    double headingRule;
    double rowsTop;
    double rowHeight;
    double heightBeforeRows;  // the band's height without rows
    double frameBelowRows;
  };
  using Row = std::vector<QString>;  // one text per column

  std::size_t rowCount() const { return rows_.size(); }

  double height() const override;
  void paint(ReportCanvas& canvas) const override;

 protected:
  // `headings` replaces the columns' own headings where given (one per column).
  ReportTableBand(std::span<const Column> columns, std::optional<SpanningHeading> spanning,
                  const Geometry& geometry, std::vector<Row> rows,
                  std::vector<QString> headings = {});

 private:
  bool spanned(std::size_t column) const;
  double ruleBefore(std::size_t column) const;
  void paintFrameAndRules(ReportCanvas& canvas) const;
  void paintHeadings(ReportCanvas& canvas) const;
  void paintRows(ReportCanvas& canvas) const;

  std::span<const Column> columns_;
  std::vector<QString> headings_;
  std::optional<SpanningHeading> spanning_;
  Geometry geometry_;
  std::vector<Row> rows_;
};

}  // namespace zvc
