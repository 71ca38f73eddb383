#include "core/archives/status_flags.h"

#include <array>

#include "core/common/format.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr int kLastChromatographState = 198;
constexpr std::uint8_t kControllerOffBit = 1 << 1;
constexpr std::uint8_t kNoChromatographLinkBit = 1 << 5;

// Texts by bit; an empty text marks a bit the mode does not show.
constexpr std::array<std::string_view, 8> kMeasurementBits = {
    "Бит 0: Признак не используется",
    "Контроллер был выключен",
    "Не было связи с влагомером",
    "Есть значения превышающие предупр. уставки",
    "Есть значения превышающие авар. уставки",
    "Не было связи с хроматографом",
    "Бит 6: Признак не используется",
    "Бит 7: Признак не используется",
};

constexpr std::array<std::string_view, 8> kHourlyOrDailyBits = {
    "",
    "Нет данных - контроллер был выключен",
    "",
    "Использовалась ЗПЗ - был нештатный режим работы хроматографа",
    "Использовалась ЗПЗ - значение выходило за допускаемые пределы",
    "Использовалась ЗПЗ - не было связи с HMU",
    "Использовалась ЗПЗ - хроматограф не обновил данные",
    "",
};

void appendBitLines(const std::array<std::string_view, 8>& texts, std::uint8_t status,
                    std::vector<std::string>& lines) {
  for (int bit = 0; bit < 8; ++bit) {
    if ((status & (1 << bit)) != 0 && !texts[bit].empty()) lines.emplace_back(texts[bit]);
  }
}

void appendChromatographState(std::uint16_t state, std::vector<std::string>& lines) {
  lines.push_back(format("  Код состояния хроматографа: %u", unsigned{state}));
  lines.emplace_back(state <= kLastChromatographState
                         ? TextCatalogue::text(TextCatalogue::kChromatographStates, state)
                         : "Состояние ?");
}

}  // namespace

std::vector<std::string> statusFlagsLines(StatusFlagsMode mode, std::uint8_t status,
                                          std::uint16_t chromatographState) {
  std::vector<std::string> lines;
  lines.push_back(format("  Статус контроллера: 0x%02X", unsigned{status}));
  const bool measurement = mode == StatusFlagsMode::kMeasurementRecord;
  if (status == 0) {
    lines.emplace_back("Норма");
  } else {
    appendBitLines(measurement ? kMeasurementBits : kHourlyOrDailyBits, status, lines);
  }
  // The state code means nothing while the controller was off or had no chromatograph link.
  if (measurement && (status & (kControllerOffBit | kNoChromatographLinkBit)) == 0) {
    appendChromatographState(chromatographState, lines);
  }
  return lines;
}

}  // namespace zvc
