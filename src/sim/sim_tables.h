#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/baud_rates.h"
#include "core/common/calendar.h"
#include "core/tables/config_image.h"
#include "sim/sim_archives.h"
#include "sim/sim_time.h"

namespace zvc::sim {

// Bytes put into a table from one field on (--set), after the defaults.
struct TableSetting {
  int table = 0;
  int field = 0;
  std::vector<std::uint8_t> bytes;
};

// What makes one simulated controller differ from the next.
struct ControllerSetup {
  std::uint8_t address = 1;
  int lineRate = 9600;  // bit/s; one of the rates of the baud-rate code table
  std::uint8_t softwareVersion = 15;
  bool cp866Names = false;  // table 0 field 12 = 0: table 5 names travel in CP866
  std::uint32_t serialNumber = 73150001;
  int destroyedTable = 0;  // 0 = none
  std::uint32_t archiveSeed = 1;
  ArchiveFaults archiveFaults;
  std::vector<TableSetting> settings;
};

// The default user: code "1", password "1", level "Производитель-наладчик".
inline constexpr const char* kDefaultUserCode = "1";
inline constexpr const char* kDefaultUserPassword = "1";

// Every table as a freshly set-up controller holds it; start is the clock at power-on.
void fillDefaultTables(ConfigImage& image, const ControllerSetup& setup, const DateTime6& start);

// Tables that follow the clock: date and time, momentary data, chromatograph time.
void fillLiveTables(ConfigImage& image, SimSeconds now);

}  // namespace zvc::sim
