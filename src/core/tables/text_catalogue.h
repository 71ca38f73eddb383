#pragma once

#include <string_view>

namespace zvc {

// The program's display texts by slot: table names, units, months, weekdays, device models and
// the names of the codes a controller reports. Each list starts at a fixed base slot and is read
// as base + code; slots between the lists hold nothing.
class TextCatalogue {
 public:
  static constexpr int kSlotCount = 583;

  static constexpr int kTableNames = 0;                // table numbers 0..46
  static constexpr int kUnitsA = 47;                   // unit of a table field, codes 0..36
  static constexpr int kUnitsB = 84;                   // gas-parameter units, codes 0..8
  static constexpr int kMonthsNominative = 93;         // 0 = no transition, 1..12 the months
  static constexpr int kMonthsGenitive = 106;          // 0..11 = January..December
  static constexpr int kWeekdayOrdinals = 118;         // first, second, third, last but one, last
  static constexpr int kWeekdays = 123;                // 0..6 = Sunday..Saturday
  static constexpr int kShortWeekdays = 130;           // 0..6 = Sunday..Saturday
  static constexpr int kTimeTypes = 137;               // 0 summer, 1 winter
  static constexpr int kArchiveNames = 139;            // codes 0..9
  static constexpr int kModbusModes = 149;             // 0 ASCII, 1 RTU
  static constexpr int kParities = 151;                // codes 0..4
  static constexpr int kRequiredFlags = 156;           // 0 not required, 1 required
  static constexpr int kGasParameterWriteModes = 158;  // codes 0..3
  static constexpr int kPresence = 162;                // 0 absent, 1 present
  static constexpr int kYesNo = 164;                   // 0 no, 1 yes
  static constexpr int kByteOrders = 166;              // codes 0..1
  static constexpr int kGasParameterZones = 168;       // 0 normal .. 4 upper alarm zone
  static constexpr int kCalibrationTypes = 173;        // codes 0..1
  static constexpr int kYearAndTimeKinds = 175;        // previous year, base year, time type
  static constexpr int kChromatographStates = 198;     // codes 0..198, 0 = no fault
  static constexpr int kMoistureMeterBits = 413;     // status bits 0..15 of moisture-meter model 0
  static constexpr int kMoistureMeterStates = 429;   // state codes 0..7 of moisture-meter model 2
  static constexpr int kChromatographModels = 437;   // type codes 0..8
  static constexpr int kMoistureMeterModels = 446;   // type codes 0..2
  static constexpr int kFlowComputerTypes = 449;     // type codes 0..3
  static constexpr int kAverageDistributions = 453;  // codes 0..2
  static constexpr int kEvents = 456;                // diagnostic event codes 0..81
  static constexpr int kAccessLevels = 578;          // levels 0..4

  // Text of any slot; empty for a slot that holds nothing or lies outside the catalogue.
  static std::string_view text(int slot);

  // Entry `code` of the list starting at `base`. Empty when no list starts there or the code is
  // outside the list, so a code from the controller never reads a neighbouring list.
  static std::string_view text(int base, int code);

  // Number of entries of the list starting at `base`; 0 when no list starts there.
  static int listLength(int base);
};

}  // namespace zvc
