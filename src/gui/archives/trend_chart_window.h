#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "core/archives/chart_series.h"
#include "core/common/save_file_name.h"

class QChartView;
class QListWidget;

namespace zvc {

class Frontend;

// "График": the course of the table's parameters over its period. The parameters are checked in
// a list (the first one at the start); the mouse wheel zooms, a rubber band zooms into what it
// frames, "Исходный масштаб" shows the whole period again and "Сохранить изображение" writes
// the chart as a PNG.
class TrendChartWindow : public QDialog {
  Q_OBJECT

 public:
  // Without setpoints no setpoint lines are drawn.
  TrendChartWindow(ChartSource source, std::optional<WarningSetpoints> setpoints,
                   std::filesystem::path proposedImage, Frontend& frontend,
                   QWidget* parent = nullptr);

  QChartView* view() const { return view_; }
  QListWidget* parameters() const { return parameters_; }
  // The chosen parameters as the chart shows them.
  std::vector<ChartSeries> chosenSeries() const;

  AskFileName askImageFileName;

 private:
  void redraw();
  void ResetClick();
  void SaveImageClick();

  ChartSource source_;
  std::optional<WarningSetpoints> setpoints_;
  std::filesystem::path proposedImage_;
  Frontend& frontend_;
  QListWidget* parameters_;
  QChartView* view_;
};

}  // namespace zvc
