#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/tables/table_edit.h"

namespace zvc {

class ConfigImage;

// The four clock-synchronisation switches, edited together although they lie in two tables:
// table 6 fields 10..11 (the controller synchronises with the flow computer, with the computer)
// and table 14 fields 8..9 (the chromatograph follows at the same moments).
struct TimeSyncSection {
  std::span<std::uint8_t, 2> controller;
  std::span<std::uint8_t, 2> chromatograph;
};

inline constexpr std::string_view kTimeSyncCaption = " Синхронизация времени";
inline constexpr std::string_view kControllerSyncGroup = " Синхронизировать время контроллера ";
inline constexpr std::string_view kChromatographSyncGroup = " Синхронизировать время хроматографа ";
inline constexpr std::string_view kWithFlowComputerLabel = "С временем вычислителя";
inline constexpr std::string_view kWithComputerLabel = "С временем ЭВМ";
inline constexpr std::string_view kChromatographWithFlowComputerLabel =
    "В момент синхронизации времени\nконтроллера с временем вычислителя";
inline constexpr std::string_view kChromatographWithComputerLabel =
    "В момент синхронизации времени\nконтроллера с временем ЭВМ";

// The boxes of the dialog, index 0 for the flow computer, 1 for the computer. A chromatograph
// box counts only while its controller box is ticked.
struct TimeSyncInput {
  bool controller[2] = {};
  bool chromatograph[2] = {};
  bool operator==(const TimeSyncInput&) const = default;
};

TimeSyncInput timeSyncInput(const TimeSyncSection& section);
void acceptTimeSync(const TimeSyncInput& input, const TimeSyncSection& section);
std::vector<ParameterLine> timeSyncLines(const TimeSyncSection& section);

// The switches in the image.
TimeSyncSection timeSyncSection(ConfigImage& image);

// The switches edited from the main menu.
class TimeSyncEdit {
 public:
  explicit TimeSyncEdit(TableService& tables);
  // Table 6 fields 10..11, then table 14 fields 8..9; false after a failed read.
  bool read();
  TimeSyncSection section() const;
  // What changed of table 6 fields 10..11 and, only after that succeeded, of table 14 fields
  // 8..9.
  bool write();

 private:
  TableEdit controller_;
  TableEdit chromatograph_;
};

}  // namespace zvc
