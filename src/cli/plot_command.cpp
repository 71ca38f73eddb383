#include "cli/plot_command.h"

#include <QApplication>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

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
std::optional<ChartSource> openChartSource(CommandContext& context,
                                           const std::filesystem::path& file) {
  if (const MoistureFileFormat* format = moistureFileFormatOf(file)) {
    const auto saved = openMoistureFile(format->archive, file, context.frontend);
    if (!saved) return std::nullopt;
    return chartSource(buildMoistureTable(format->archive, saved->header, saved->records));
  }
  const auto table = openChromTable(context, file, "a chart (.mch, .hch, .dch, .mwm, .hwm, .dwm)");
  if (!table) return std::nullopt;
  return chartSource(*table);
}

}  // namespace

int PlotCommand::run(CommandContext& context) {
  const PlotRequest& plot = request_;
  const std::optional<ChartSource> table = openChartSource(context, plot.file);
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

namespace {

// "W" "x" "H" with both within what a picture can sensibly be.
std::pair<int, int> readPlotSize(const std::string& text) {
  constexpr int kMinSide = 100;
  constexpr int kMaxSide = 10000;
  const std::string_view given = text;
  const std::size_t x = given.find('x');
  const auto width = digitsNumber<int>(given.substr(0, x), kMaxSide);
  const auto height =
      x == std::string::npos ? std::nullopt : digitsNumber<int>(given.substr(x + 1), kMaxSide);
  if (!width || !height || *width < kMinSide || *height < kMinSide) {
    throw Refusal{"--size: WIDTHxHEIGHT of 100..10000 pixels each expected, got \"" + text + "\""};
  }
  return {*width, *height};
}

}  // namespace

CommandHelp PlotCommand::help() const {
  return {"plot", "the chart of a saved file, as a PNG",
          "plot FILE --param NAME[,NAME…] --png OUT.png [--size WxH] [--config FILE.cnf]",
          "The chart of the \"График\" button of a saved .mch, .hch, .dch, .mwm, .hwm or .dwm\n"
          "file: the named parameters over time, gaps where the table shows no number, the\n"
          "\"*\" and \"#\" values marked."};
}

void PlotCommand::declare(OptionDeclarations& options) const {
  options.value("--param", "NAME[,NAME…]", "the parameters, as the table's headings name them");
  options.value("--png", "OUT.png", "the picture (\".png\" appended to a name without extension)");
  options.value("--size", "WxH", "its size in pixels, 100..10000 each (default 1200x700)");
  options.value("--config", "FILE.cnf",
                "the warning setpoints of that configuration file drawn as lines");
}

void PlotCommand::accept(const GivenArguments& given) {
  PlotRequest plot;
  plot.file = expectWords(given, 1, 1, "plot")[0];
  const std::string* names = given.single("--param");
  if (names == nullptr || names->empty()) throw Refusal{"plot needs --param NAME[,NAME…]"};
  std::size_t from = 0;
  for (std::size_t comma; (comma = names->find(',', from)) != std::string::npos; from = comma + 1) {
    plot.parameters.push_back(names->substr(from, comma - from));
  }
  plot.parameters.push_back(names->substr(from));
  for (const std::string& name : plot.parameters) {
    if (name.empty()) throw Refusal{"--param: a parameter name between the commas expected"};
  }
  const std::string* png = given.single("--png");
  if (png == nullptr || png->empty()) throw Refusal{"plot needs --png OUT.png"};
  plot.pngFile = *png;
  if (const std::string* size = given.single("--size")) {
    std::tie(plot.width, plot.height) = readPlotSize(*size);
  }
  if (const std::string* config = given.single("--config")) {
    if (config->empty()) throw Refusal{"--config: a configuration file expected"};
    plot.configFile = *config;
  }
  request_ = plot;
}

}  // namespace zvc::cli
