#include "core/tables/time_sync_section.h"

#include "core/tables/config_image.h"

namespace zvc {
namespace {

constexpr TableRange kControllerSwitches{6, 10, 2};
constexpr TableRange kChromatographSwitches{14, 8, 2};

std::span<std::uint8_t, 2> switches(ConfigImage& image, TableRange range) {
  return image.fields(range.table, range.first, range.count).first<2>();
}

}  // namespace

TimeSyncInput timeSyncInput(const TimeSyncSection& section) {
  TimeSyncInput input;
  for (int at = 0; at < 2; ++at) {
    input.controller[at] = section.controller[at] != 0;
    input.chromatograph[at] = input.controller[at] && section.chromatograph[at] != 0;
  }
  return input;
}

void acceptTimeSync(const TimeSyncInput& input, const TimeSyncSection& section) {
  for (int at = 0; at < 2; ++at) {
    section.controller[at] = input.controller[at] ? 1 : 0;
    section.chromatograph[at] = input.controller[at] && input.chromatograph[at] ? 1 : 0;
  }
}

std::vector<ParameterLine> timeSyncLines(const TimeSyncSection& section) {
  const TimeSyncInput input = timeSyncInput(section);
  const auto line = [](std::string_view group, std::string_view label, bool ticked, bool enabled) {
    return ParameterLine{groupedLabel(group, label), std::string(checkText(ticked)), enabled};
  };
  return {
      line(kControllerSyncGroup, kWithFlowComputerLabel, input.controller[0], true),
      line(kControllerSyncGroup, kWithComputerLabel, input.controller[1], true),
      line(kChromatographSyncGroup, kChromatographWithFlowComputerLabel, input.chromatograph[0],
           input.controller[0]),
      line(kChromatographSyncGroup, kChromatographWithComputerLabel, input.chromatograph[1],
           input.controller[1]),
  };
}

TimeSyncSection timeSyncSection(ConfigImage& image) {
  return {switches(image, kControllerSwitches), switches(image, kChromatographSwitches)};
}

TimeSyncEdit::TimeSyncEdit(TableService& tables)
    : controller_(tables, kControllerSwitches), chromatograph_(tables, kChromatographSwitches) {}

bool TimeSyncEdit::read() {
  return controller_.read() && chromatograph_.read();
}

TimeSyncSection TimeSyncEdit::section() const {
  return {controller_.section<2>(), chromatograph_.section<2>()};
}

bool TimeSyncEdit::write() {
  return controller_.writeChanges() && chromatograph_.writeChanges();
}

}  // namespace zvc
