#include "core/app/menu_rules.h"

#include <initializer_list>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

constexpr int kNamesTable = 5;
constexpr int kCommunicationTable = 6;
constexpr int kMoistureMeterField = 8;  // non-zero: a moisture meter is connected
constexpr int kFlowComputersField = 9;  // number of flow computers connected
constexpr int kChromatographTable = 14;
constexpr int kRunsServedField = 7;  // bit 0 run 1, bit 1 run 2

void hide(MenuView& view, std::initializer_list<MenuGroup> groups) {
  for (MenuGroup group : groups) view.shown[static_cast<std::size_t>(group)] = false;
}

std::uint8_t byteField(const ConfigImage& image, int table, int field) {
  return image.field(table, field)[0];
}

// The run's items carry the run's name when the chromatograph serves it, and are hidden if not.
void applyRun(MenuView& view, const ConfigImage& image, int run, MenuGroup items,
              std::optional<std::string>& caption) {
  if ((byteField(image, kChromatographTable, kRunsServedField) & (1u << (run - 1))) == 0) {
    hide(view, {items});
    return;
  }
  const auto name = image.field(kNamesTable, run);
  caption = fieldToUtf8(name.data(), name.size());
}

}  // namespace

MenuView menuView(bool connected, const ConfigImage& image) {
  MenuView view;
  view.shown.fill(true);
  if (!connected) {
    hide(view, {MenuGroup::kParameters, MenuGroup::kChromatographSerialNumber,
                MenuGroup::kControllerDateTime, MenuGroup::kReports, MenuGroup::kControllerState,
                MenuGroup::kChromatographMomentary, MenuGroup::kChromatographArchiveReads,
                MenuGroup::kMoistureMeterMomentary, MenuGroup::kMoistureMeterArchiveReads,
                MenuGroup::kMessageArchiveRequests, MenuGroup::kSaveConfiguration});
    view.emptyLinkPanels = true;
    return view;
  }
  if (byteField(image, kCommunicationTable, kMoistureMeterField) == 0) {
    hide(view, {MenuGroup::kMoistureMeterLink, MenuGroup::kMoistureMeterData});
  }
  if (byteField(image, kCommunicationTable, kFlowComputersField) == 0) {
    hide(view, {MenuGroup::kFlowComputerParameters, MenuGroup::kFlowComputerLink,
                MenuGroup::kFlowComputerDistribution, MenuGroup::kFlowComputerWritePeriod});
  }
  hide(view, {MenuGroup::kChromatographSerialNumber});
  applyRun(view, image, 1, MenuGroup::kRun1Items, view.run1Caption);
  applyRun(view, image, 2, MenuGroup::kRun2Items, view.run2Caption);
  return view;
}

}  // namespace zvc
