#include "cli/plot_command.h"

#include <QApplication>
#include <memory>

#include "cli/chrom_commands.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "core/archives/chart_series.h"
#include "core/archives/moisture_files.h"
#include "core/common/save_file_name.h"
#include "core/tables/config_file.h"
#include "report/trend_chart.h"

namespace zvc::cli {
namespace {

// Qt Charts draws with the widget library; the tool runs headless, so Qt gets its offscreen
// platform unless the caller chose one.
class HeadlessWidgetApplication {
 public:
  HeadlessWidgetApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[8] = "zvc-cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

// The chart source of a saved chromatograph or moisture-meter file.
std::optional<ChartSource> openChartSource(CommandContext& context) {
  const std::filesystem::path file = context.options.file;
  if (const MoistureFileFormat* format = moistureFileFormatOf(file)) {
    const auto saved = openMoistureFile(format->archive, file, context.frontend);
    if (!saved) return std::nullopt;
    return chartSource(buildMoistureTable(format->archive, saved->header, saved->records));
  }
  const auto table = openChromTable(context, "a chart (.mch, .hch, .dch, .mwm, .hwm, .dwm)");
  if (!table) return std::nullopt;
  return chartSource(*table);
}

}  // namespace

int PlotCommand::run(CommandContext& context) {
  const PlotRequest& plot = context.options.plot;
  const std::optional<ChartSource> table = openChartSource(context);
  if (!table) return kExitBadInput;
  std::vector<int> chosen;
  for (const std::string& name : plot.parameters) {
    const std::optional<int> index = chartParameterIndex(*table, name);
    if (!index) {
      std::string names;
      for (const std::string& known : table->names) names += " \"" + known + "\"";
      return refuse(context, "--param: no parameter \"" + name + "\" in the file; it has" + names);
    }
    chosen.push_back(*index);
  }
  std::optional<WarningSetpoints> setpoints;
  if (plot.configFile) {
    const auto record = readConfigFile(*plot.configFile, context.frontend);
    if (!record) return kExitBadInput;
    setpoints = warningSetpoints(*record, static_cast<int>(table->names.size()));
  }
  const auto out = checkedOutputFile(context, withDefaultExtension(plot.pngFile, ".png"));
  if (!out) return kExitBadInput;

  std::vector<ChartSeries> series;
  for (const int index : chosen) {
    series.push_back(chartSeries(*table, index, setpoints ? &*setpoints : nullptr));
  }
  const HeadlessWidgetApplication application;
  if (!renderChartPng(QString::fromStdString(table->caption), series,
                      QSize(plot.width, plot.height), QString::fromStdString(out->string()))) {
    context.frontend.showMessage(1, "Ошибка открытия файла", "");
    return kExitBadInput;
  }
  return kExitSuccess;
}

}  // namespace zvc::cli
