#include "core/tables/config_sections.h"

#include <algorithm>
#include <functional>

#include "core/common/text_codec.h"
#include "core/tables/ethernet_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/identification_view.h"
#include "core/tables/measured_parameters.h"
#include "core/tables/moisture_meter_link_section.h"
#include "core/tables/names_section.h"
#include "core/tables/system_parameters.h"
#include "core/tables/upper_link_section.h"
#include "core/tables/users_table.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

constexpr std::size_t kControllerSync = Record::kSystem + kSyncWithFlowComputerField;
constexpr std::size_t kChromatographSync = Record::kChromatographLink + 8;
constexpr std::size_t kParameterCountField = 14;

using Lines = std::vector<ParameterLine>;

std::function<Lines(Record&)> limitRows(int kind) {
  return [kind](Record& r) {
    return limitLines(recordMeasuredParameters(r),
                      r.at<kLimitBytes>(Record::kLimits + Record::kLimitsStep * kind));
  };
}

std::function<Lines(Record&)> constantRows(int run) {
  return [run](Record& r) {
    return constantLines(recordMeasuredParameters(r),
                         r.at<kConstantBytes>(Record::kConstantsNeed + Record::kRunStep * run));
  };
}

struct SectionRows {
  const char* name;
  std::function<Lines(Record&)> rows;
};

// The same section names as zvc-cli's show-params.
const SectionRows kSections[] = {
    {"ident",
     [](Record& r) {
       return identificationView(r.at<kIdentificationBytes>(Record::kIdentification),
                                 r.bytes[Record::kIdentifiedFlag] == 1);
     }},
    {"names", [](Record& r) { return namesLines(r.at<kNameCount * kNameBytes>(Record::kNames)); }},
    {"system",
     [](Record& r) { return systemParameterLines(r.at<kSystemParameterBytes>(Record::kSystem)); }},
    {"sync", [](Record& r) { return timeSyncLines(recordTimeSync(r)); }},
    {"uplink", [](Record& r) { return upperLinkLines(r.at<kUpperLinkBytes>(Record::kUpperLink)); }},
    {"vrg-link",
     [](Record& r) {
       return flowComputerLinkLines(r.at<kFlowComputerLinkBytes>(Record::kFlowComputerLink));
     }},
    {"chrom-link",
     [](Record& r) {
       return chromatographLinkLines(r.at<kChromatographLinkBytes>(Record::kChromatographLink),
                                     recordChromatographContext(r));
     }},
    {"moist-link",
     [](Record& r) {
       return moistureMeterLinkLines(r.at<kMoistureMeterLinkBytes>(Record::kMoistureMeterLink));
     }},
    {"ethernet", [](Record& r) { return ethernetLines(r.at<kEthernetBytes>(Record::kEthernet)); }},
    {"flow-computers", [](Record& r) { return flowComputerLines(recordFlowComputers(r)); }},
    {"parameters",
     [](Record& r) {
       const MeasuredParameters parameters = recordMeasuredParameters(r);
       return parameterLines(parameters.count, parameters.table);
     }},
    {"deadzone", limitRows(0)},
    {"low-warn", limitRows(1)},
    {"high-warn", limitRows(2)},
    {"low-limit", limitRows(3)},
    {"high-limit", limitRows(4)},
    {"write-need",
     [](Record& r) {
       return writeNeedLines(recordMeasuredParameters(r),
                             r.at<kWriteNeedBytes>(Record::kWriteNeed));
     }},
    {"period", [](Record& r) { return periodLines(r.at<kPeriodBytes>(Record::kAveragingPeriod)); }},
    {"constants-1", constantRows(0)},
    {"constants-2", constantRows(1)},
    // Names and levels only: the record's passwords and codes are never shown.
    {"users", [](Record& r) { return userLines(r.at<kUsersBytes>(Record::kUsers)); }},
};

}  // namespace

TimeSyncSection recordTimeSync(ConfigFileRecord& record) {
  return {record.at<2>(kControllerSync), record.at<2>(kChromatographSync)};
}

ChromatographLinkSection recordChromatographLink(ConfigFileRecord& record) {
  return {record.at<kChromatographLinkBytes>(Record::kChromatographLink),
          record.at<kParameterBytes>(Record::kParameters)};
}

ChromatographLinkContext recordChromatographContext(const ConfigFileRecord& record) {
  ChromatographLinkContext context;
  for (std::size_t run = 0; run < 2; ++run) {
    context.runNames[run] =
        fieldToUtf8(&record.bytes[Record::kNames + kNameBytes * (run + 1)], kNameBytes);
  }
  if (record.bytes[Record::kSystem + kFlowComputersPresentField] == 0) return context;
  const std::size_t count =
      std::min<std::size_t>(record.bytes[Record::kFlowComputerLink], Record::kFlowComputerCount);
  if (count == 0) return context;
  std::vector<std::uint8_t> addresses;
  for (std::size_t i = 0; i < count; ++i) addresses.push_back(record.flowComputer(i)[0]);
  context.flowComputers = std::move(addresses);
  return context;
}

MeasuredParameters recordMeasuredParameters(const ConfigFileRecord& record) {
  return {usedParameters(record.bytes[Record::kChromatographLink + kParameterCountField]),
          record.at<kParameterBytes>(Record::kParameters)};
}

std::vector<FlowComputerRecord> recordFlowComputers(const ConfigFileRecord& record) {
  const std::size_t count =
      std::min<std::size_t>(record.bytes[Record::kFlowComputerLink], Record::kFlowComputerCount);
  std::vector<FlowComputerRecord> records(count);
  for (std::size_t i = 0; i < count; ++i)
    std::ranges::copy(record.flowComputer(i), records[i].begin());
  return records;
}

std::vector<ConfigLine> configRecordLines(const ConfigFileRecord& record) {
  Record copy = record;  // the sections hand out writable views
  std::vector<ConfigLine> lines;
  for (const SectionRows& section : kSections) {
    for (ParameterLine& line : section.rows(copy)) {
      lines.push_back({section.name, std::move(line)});
    }
  }
  return lines;
}

std::vector<ConfigDifference> configDifferences(const ConfigFileRecord& a,
                                                const ConfigFileRecord& b) {
  const std::vector<ConfigLine> linesA = configRecordLines(a);
  const std::vector<ConfigLine> linesB = configRecordLines(b);
  std::vector<ConfigDifference> differences;
  // Rows are matched by section and label in order; a section may show more rows in one record
  // (a chosen transition shows its day), and such rows count as differences with an empty side.
  std::vector<bool> matched(linesB.size(), false);
  for (const ConfigLine& line : linesA) {
    const auto same = std::ranges::find_if(linesB, [&](const ConfigLine& other) {
      const std::size_t at = &other - linesB.data();
      return !matched[at] && other.section == line.section && other.line.label == line.line.label;
    });
    if (same == linesB.end()) {
      differences.push_back({line, {line.section, {line.line.label, ""}}});
      continue;
    }
    matched[same - linesB.begin()] = true;
    if (same->line.value != line.line.value) differences.push_back({line, *same});
  }
  for (std::size_t at = 0; at < linesB.size(); ++at) {
    if (!matched[at]) {
      differences.push_back({{linesB[at].section, {linesB[at].line.label, ""}}, linesB[at]});
    }
  }
  return differences;
}

}  // namespace zvc
