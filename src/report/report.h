#pragma once

#include <QFont>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace zvc {

// Reports are laid out in units of which 720 span the printable width of an A4 portrait page
// (about a screen pixel at 96 dpi); the page height follows from the margins.
inline constexpr double kReportPageWidth = 720;

struct ReportTextStyle {
  double pointSize = 8;
  bool bold = false;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  double indent = 0;  // from the box's left edge, for left-aligned text
};

// Draws in report units onto a painter already scaled from units to the device.
class ReportCanvas {
 public:
  ReportCanvas(QPainter& painter, double devicePixelsPerUnit);

  // One or more lines ("\n"). A line wider than its box is narrowed to fit, never cut.
  void text(const QRectF& box, const QString& text, const ReportTextStyle& style);
  void line(double x1, double y1, double x2, double y2);
  void frame(const QRectF& box);
  // Draws `paint` with the origin moved down by `top`.
  void at(double top, const std::function<void()>& paint);

 private:
  QFont fontFor(const ReportTextStyle& style) const;

  QPainter& painter_;
  double devicePixelsPerUnit_;
};

// A horizontal strip of a page; bands stack from the top of the page body.
class ReportBand {
 public:
  virtual ~ReportBand() = default;
  virtual double height() const = 0;
  // Draws with the band's top at 0.
  virtual void paint(ReportCanvas& canvas) const = 0;
};

// Lines of text at fixed places: title blocks.
class TextLinesBand : public ReportBand {
 public:
  struct Line {
    double left;
    double top;
    double width;
    double height;
    ReportTextStyle style;
    QString text;
  };

  TextLinesBand(double height, std::vector<Line> lines);

  void setText(std::size_t line, const QString& text) { lines_.at(line).text = text; }
  const QString& text(std::size_t line) const { return lines_.at(line).text; }
  std::size_t lineCount() const { return lines_.size(); }

  double height() const override { return height_; }
  void paint(ReportCanvas& canvas) const override;

 private:
  double height_;
  std::vector<Line> lines_;
};

// Called before each page is drawn, with the page number (from 1) and the page count.
using ReportPageProgress = std::function<void(int page, int pages)>;

// Pages of bands on A4 portrait, each with the page header text right-aligned at the top and
// the footer "Лист" N "из %d" at the bottom.
class Report {
 public:
  explicit Report(const QMarginsF& marginsMm);

  void setPageHeader(const QString& text) { pageHeader_ = text; }
  const QString& pageHeader() const { return pageHeader_; }
  void addPage() { pages_.emplace_back(); }
  // Onto the last page (the first one is there from the start).
  void addBand(std::unique_ptr<ReportBand> band) { pages_.back().push_back(std::move(band)); }
  int pageCount() const { return static_cast<int>(pages_.size()); }
  const QMarginsF& marginsMm() const { return marginsMm_; }

  // Sets A4 portrait with the margins and draws every page. False when the device cannot be
  // painted on or a page's bands do not fit between its header and footer.
  bool render(QPagedPaintDevice& device, const ReportPageProgress& progress = {}) const;

 private:
  bool fits(const std::vector<std::unique_ptr<ReportBand>>& page, double pageHeight) const;
  void paintPage(ReportCanvas& canvas, int page, double pageHeight) const;

  QMarginsF marginsMm_;
  QString pageHeader_;
  std::vector<std::vector<std::unique_ptr<ReportBand>>> pages_;
};

}  // namespace zvc
