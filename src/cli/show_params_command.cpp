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
  const Section* section = sectionNamed(context.options.parameterSection);
  if (section == nullptr) {
    return refuse(context, "show-params: unknown section \"" + context.options.parameterSection +
                               "\"; see zvc-cli --help");
  }
  ControllerSession session(context.folder, context.frontend, context.errors);
  if (const int status = session.open(context.options.link); status != kExitSuccess) return status;
  const Lines lines = section->read(session.tables());
  if (!lines) return kExitLinkFailed;
  printParameterLines(*lines, context.out);
  return kExitSuccess;
}

}  // namespace zvc::cli
