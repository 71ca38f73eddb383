#include "cli/show_params_command.h"

#include <functional>
#include <optional>
#include <string_view>

#include "cli/controller_session.h"
#include "cli/exit_status.h"
#include "core/tables/chromatograph_link_section.h"
#include "core/tables/chromatograph_serial.h"
#include "core/tables/config_image.h"
#include "core/tables/ethernet_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/flow_computers_section.h"
#include "core/tables/gas_parameter_sections.h"
#include "core/tables/identification_view.h"
#include "core/tables/moisture_meter_link_section.h"
#include "core/tables/names_section.h"
#include "core/tables/system_parameters.h"
#include "core/tables/time_sync_section.h"
#include "core/tables/upper_link_section.h"

namespace zvc::cli {
namespace {

using Lines = std::optional<std::vector<ParameterLine>>;

// The rows of a table read whole, as `lines` makes them of its bytes.
template <std::size_t Size, typename Show>
Lines tableLines(TableService& tables, int table, Show show) {
  const std::uint8_t fields = TableCatalogue::table(table).fieldCount;
  if (!tables.readTableRange({std::uint8_t(table), 0, fields})) return std::nullopt;
  return show(std::span<const std::uint8_t, Size>(tables.image().table(table).first<Size>()));
}

Lines identification(TableService& tables) {
  return identificationView(tables.image().table(0).first<kIdentificationBytes>(), true);
}

Lines names(TableService& tables) {
  if (!tables.readNames()) return std::nullopt;
  return controllerNameLines(tables.image());
}

Lines timeSync(TableService& tables) {
  TimeSyncEdit edit(tables);
  if (!edit.read()) return std::nullopt;
  return timeSyncLines(edit.section());
}

// Whether flow computers supply the runs' gas temperature depends on table 6.
Lines chromatographLink(TableService& tables) {
  ChromatographLinkEdit edit(tables);
  if (!tables.readTableRange({6, 0, kSystemParameterBytes}) || !edit.read()) return std::nullopt;
  return chromatographLinkLines(edit.section().link, edit.context());
}

Lines serialNumber(TableService& tables) {
  if (!readChromatographSerial(tables)) return std::nullopt;
  return chromatographSerialLines(tables.image());
}

Lines flowComputers(TableService& tables) {
  FlowComputersEdit edit(tables);
  if (!edit.read()) return std::nullopt;
  return flowComputerLines(edit.records());
}

// The number of measured parameters (table 14) and their records (table 1), which every
// per-parameter table needs for its names and ranges.
std::optional<MeasuredParameters> readMeasuredParameters(TableService& tables) {
  if (!tables.readTableRange({14, 0, kChromatographLinkBytes})) return std::nullopt;
  const MeasuredParameters parameters = measuredParameters(tables);
  if (parameters.count > 0 && !tables.readTableRange({1, 0, std::uint8_t(parameters.count)})) {
    return std::nullopt;
  }
  return parameters;
}

Lines parameters(TableService& tables) {
  const auto parameters = readMeasuredParameters(tables);
  if (!parameters) return std::nullopt;
  return parameterLines(parameters->count, parameters->table);
}

// A per-parameter table read for the parameters in use and shown by `show`.
template <std::size_t Size, typename Show>
std::function<Lines(TableService&)> parameterTable(std::uint8_t table, Show show) {
  return [table, show](TableService& tables) -> Lines {
    const auto parameters = readMeasuredParameters(tables);
    if (!parameters) return std::nullopt;
    ParameterTableEdit edit(tables, table);
    if (!edit.read()) return std::nullopt;
    return show(*parameters, edit.section<Size>());
  };
}

std::function<Lines(TableService&)> limits(int kind) {
  return parameterTable<kLimitBytes>(limitTable(kind), limitLines);
}

Lines constants(TableService& tables, int run) {
  const auto parameters = readMeasuredParameters(tables);
  if (!parameters) return std::nullopt;
  ConstantsEdit edit(tables, run - 1);
  if (!edit.read()) return std::nullopt;
  return constantLines(*parameters, edit.section());
}

struct Section {
  std::string_view name;
  std::function<Lines(TableService&)> read;
};

const Section kSections[] = {
    {"ident", identification},
    {"names", names},
    {"system",
     [](TableService& t) { return tableLines<kSystemParameterBytes>(t, 6, systemParameterLines); }},
    {"sync", timeSync},
    {"uplink", [](TableService& t) { return tableLines<kUpperLinkBytes>(t, 3, upperLinkLines); }},
    {"vrg-link",
     [](TableService& t) {
       return tableLines<kFlowComputerLinkBytes>(t, 9, flowComputerLinkLines);
     }},
    {"chrom-link", chromatographLink},
    {"moist-link",
     [](TableService& t) {
       return tableLines<kMoistureMeterLinkBytes>(t, 15, moistureMeterLinkLines);
     }},
    {"ethernet", [](TableService& t) { return tableLines<kEthernetBytes>(t, 29, ethernetLines); }},
    {"serial", serialNumber},
    {"flow-computers", flowComputers},
    {"parameters", parameters},
    {"deadzone", limits(0)},
    {"low-warn", limits(1)},
    {"high-warn", limits(2)},
    {"low-limit", limits(3)},
    {"high-limit", limits(4)},
    {"write-need", parameterTable<kWriteNeedBytes>(21, writeNeedLines)},
    {"period",
     [](TableService& t) { return tableLines<kPeriodBytes>(t, 28, periodLines); }},
};

const Section* sectionNamed(std::string_view name) {
  for (const Section& section : kSections) {
    if (section.name == name) return &section;
  }
  return nullptr;
}

}  // namespace

void printParameterLines(const std::vector<ParameterLine>& lines, TextOutput& out) {
  for (const ParameterLine& line : lines) out.line(oneLineLabel(line.label) + "\t" + line.value);
}

int ShowParamsCommand::run(CommandContext& context) {
  const Section* section = sectionNamed(section_);
  const bool constantsOfRun = section_ == "constants";
  if (section == nullptr && !constantsOfRun) {
    return refuse(context, "show-params: unknown section \"" + section_ +
                               "\"; see zvc-cli show-params --help");
  }
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  const Lines lines =
      constantsOfRun ? constants(session.tables(), run_) : section->read(session.tables());
  if (!lines) return kExitLinkFailed;
  printParameterLines(*lines, context.out);
  return kExitSuccess;
}

CommandHelp ShowParamsCommand::help() const {
  constexpr std::size_t kLineWidth = 80;
  std::string sections;
  std::size_t lineStart = 0;
  for (const Section& section : kSections) {
    if (sections.size() - lineStart + section.name.size() > kLineWidth) {
      sections += "\n";
      lineStart = sections.size();
    }
    sections += std::string(section.name) + "|";
  }
  return {"show-params", "a parameter dialog as \"label<TAB>value\" lines",
          "show-params SECTION [--run 1|2]",
          "A parameter dialog as \"label<TAB>value\" lines, as it shows them (flow computers\n"
          "without their passwords, which are never read). SECTION is one of\n" +
              sections + "constants (with --run 1|2)."};
}

void ShowParamsCommand::declare(OptionDeclarations& options) const {
  options.value("--run", "1|2", "the run of the constants");
  declareLinkOptions(options);
}

// The run of "constants", 1 or 2; no other section takes one.
void ShowParamsCommand::accept(const GivenArguments& given) {
  section_ = expectWords(given, 1, 1, "show-params")[0];
  const std::string* run = given.single("--run");
  run_ = 0;
  if (section_ != "constants") {
    if (run != nullptr) throw Refusal{"--run is for show-params constants"};
    return;
  }
  if (run == nullptr || (*run != "1" && *run != "2")) {
    throw Refusal{"show-params constants needs --run 1 or --run 2"};
  }
  run_ = *run == "1" ? 1 : 2;
}

}  // namespace zvc::cli
