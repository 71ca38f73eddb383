#pragma once

#include <string>
#include <vector>

#include "core/tables/momentary_data.h"

namespace zvc {

class ConfigImage;

inline constexpr std::string_view kControllerStateTitle = "Текущее состояние контроллера";
inline constexpr std::string_view kFlowComputerStateTitle = "Состояние обмена с вычислителями РГ";
inline constexpr TableRange kAbnormalSummaryRange{16, 0, 18};
inline constexpr TableRange kLinkStateRange{33, 0, 2};

// Which instruments the controller polls (table 6 fields 8 and 9): absent ones are greyed.
bool moistureMeterPresent(const ConfigImage& image);
bool flowComputersPresent(const ConfigImage& image);

// The 16-bit values of table 16 in the image put into little-endian order when the controller
// stores them big-endian (table 0 field 10 is 0). Call once after each read.
void normaliseAbnormalSummary(ConfigImage& image);

// The state view's rows from tables 16 and 33 of the image.
std::vector<DataLine> controllerStateLines(const ConfigImage& image);

// One silent poll of the state view: table 16 (normalised), then table 33; false at the first
// failure, the image keeping what it held.
bool pollControllerState(TableService& tables);

// The flow computers' exchange: table 9 field 0 (verbose), then tables 18, 34 and 35 fields
// 0..N-1, stopping at the first failure.
bool readFlowComputerState(TableService& tables);
// One row per flow computer: address, link and write state.
struct FlowComputerStateRow {
  std::string address;
  DataLine link;
  DataLine writing;
};
std::vector<FlowComputerStateRow> flowComputerStateRows(const ConfigImage& image);
inline constexpr std::string_view kFlowComputerAddressHeading = "Адрес\nвычислителя РГ";
inline constexpr std::string_view kFlowComputerLinkHeading = "Наличие\nсвязи";
inline constexpr std::string_view kFlowComputerProcessHeading = "Состояние процесса";

}  // namespace zvc
