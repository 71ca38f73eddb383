#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace zvc {

class ConfigImage;

// The groups of main-menu items the visibility rules speak of. The window maps each of its menu
// items to at most one group; an item in no group is always shown.
enum class MenuGroup : std::size_t {
  kParameters,                // "Параметры"
  kMoistureMeterLink,         // "С влагомером"
  kFlowComputerLink,          // "С вычислителем расхода газа"
  kFlowComputerParameters,    // "Параметры вычислителей"
  kFlowComputerDistribution,  // "Необходимость записи значений параметров газа в ВРГ"
  kFlowComputerWritePeriod,  // "Период записи средних за час значений параметров газа в ВРГ"
  kChromatographSerialNumber,  // " Серийный номер хроматографа"
  kControllerDateTime,         // "Дата и время"
  kMessageArchiveRequests,  // the four "Запрос по индексу" / "Запрос за период"
  kControllerState,         // "Текущее состояние контроллера"
  kChromatographMomentary,  // "Мгновенные данные хроматографа, зоны параметров газа    "
  kChromatographArchiveReads,  // "Чтение архива контроллера    " of measurement, hourly, daily,
                               // calibration and verification data
  kMoistureMeterData,          // "Данные влагомера"
  kMoistureMeterMomentary,     // "Мгновенные данные влагомера"
  kMoistureMeterArchiveReads,  // its three "Чтение архива контроллера"
  kReports,                    // "Отчеты"
  kSaveConfiguration,  // "Сохранение параметров конфигурации в файле"
  kRun1Items,          // "Нитка 1" under the chromatograph's momentary data, the three
                       // archive reads and the two passports
  kRun2Items,          // the same six for run 2
  kCount,
};
inline constexpr std::size_t kMenuGroupCount = static_cast<std::size_t>(MenuGroup::kCount);

// What the menu rules make of the menus.
struct MenuView {
  std::array<bool, kMenuGroupCount> shown{};
  // New captions of the run items: the pipeline run names; nothing = keep the caption.
  std::optional<std::string> run1Caption;
  std::optional<std::string> run2Caption;
  // Not connected: panels 0 and 1 of status bar 1 are emptied.
  bool emptyLinkPanels = false;

  bool isShown(MenuGroup group) const { return shown[static_cast<std::size_t>(group)]; }
};

// Connected: the items follow the controller's configuration in the image (moisture meter, flow
// computers, the runs the chromatograph serves). Not connected: only what works on files, the
// link and the program itself stays.
MenuView menuView(bool connected, const ConfigImage& image);

}  // namespace zvc
