#pragma once

#include <string>
#include <vector>

#include "core/tables/chromatograph_link_section.h"
#include "core/tables/config_record.h"
#include "core/tables/flow_computers_section.h"
#include "core/tables/gas_parameter_sections.h"
#include "core/tables/parameter_section.h"
#include "core/tables/time_sync_section.h"

namespace zvc {

// The sections of a configuration record as the parameter dialogs edit them, for the sections
// that are not one plain run of bytes.

// Table 6 fields 10..11 and table 14 fields 8..9.
TimeSyncSection recordTimeSync(ConfigFileRecord& record);
// Table 14 with table 1.
ChromatographLinkSection recordChromatographLink(ConfigFileRecord& record);
// The run names and, when flow computers are present, the addresses of the first N of them.
ChromatographLinkContext recordChromatographContext(const ConfigFileRecord& record);

// The measured parameters in use (table 14 field 14) and their records (table 1).
MeasuredParameters recordMeasuredParameters(const ConfigFileRecord& record);
// The first N flow-computer records (N = table 9 field 0).
std::vector<FlowComputerRecord> recordFlowComputers(const ConfigFileRecord& record);

// One row of a record as zvc-cli shows it: the section's name and the dialog's row.
struct ConfigLine {
  std::string section;
  ParameterLine line;
  bool operator==(const ConfigLine&) const = default;
};

// Every section of the record, in the editor's order, with the rows its dialog shows.
std::vector<ConfigLine> configRecordLines(const ConfigFileRecord& record);

// The rows of b whose value differs from the same row of a: (row of a, row of b).
struct ConfigDifference {
  ConfigLine a;
  ConfigLine b;
};
std::vector<ConfigDifference> configDifferences(const ConfigFileRecord& a,
                                                const ConfigFileRecord& b);

}  // namespace zvc
