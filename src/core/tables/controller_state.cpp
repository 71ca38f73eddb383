#include "core/tables/controller_state.h"

#include <algorithm>
#include <utility>

#include "core/common/format.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

constexpr int kIdentificationTable = 0;
constexpr int kByteOrderField = 10;
constexpr int kSystemTable = 6;
constexpr int kMoistureMeterField = 8;
constexpr int kFlowComputersField = 9;
constexpr int kSummaryTable = 16;
constexpr int kFlowComputerLinkTable = 9;
constexpr int kFlowComputerAddressTable = 18;
constexpr int kFlowComputerLinkStateTable = 34;
constexpr int kFlowComputerWriteTable = 35;
constexpr int kMaxFlowComputers = 16;
constexpr int kWordFields[] = {12, 16};

DataLine stateLine(std::string label, bool normal, std::string fault, bool enabled = true) {
  return {std::move(label), normal ? "Норма" : std::move(fault),
          normal ? DataColour::kBlack : DataColour::kRed, enabled};
}

DataLine yesNoLine(std::string label, bool present) {
  return {std::move(label), present ? "Есть" : "Нет", present ? DataColour::kRed : DataColour::kBlack};
}

DataLine linkLine(std::string label, bool present, bool enabled = true) {
  return {std::move(label), present ? "Норма" : "Связи нет",
          present ? DataColour::kBlack : DataColour::kRed, enabled};
}

int flowComputerCount(const ConfigImage& image) {
  return std::min<int>(image.field(kFlowComputerLinkTable, 0)[0], kMaxFlowComputers);
}

}  // namespace

bool moistureMeterPresent(const ConfigImage& image) {
  return image.field(kSystemTable, kMoistureMeterField)[0] != 0;
}

bool flowComputersPresent(const ConfigImage& image) {
  return image.field(kSystemTable, kFlowComputersField)[0] != 0;
}

void normaliseAbnormalSummary(ConfigImage& image) {
  if (image.field(kIdentificationTable, kByteOrderField)[0] != 0) return;
  for (const int field : kWordFields) {
    auto word = image.fields(kSummaryTable, field, 2);
    std::swap(word[0], word[1]);
  }
}

std::vector<DataLine> controllerStateLines(const ConfigImage& image) {
  const auto s = image.table(kSummaryTable);
  const auto link = image.table(kLinkStateTable);
  const bool moisture = moistureMeterPresent(image);
  const bool flowComputers = flowComputersPresent(image);
  return {
      {"Дата и время последнего изменения\nпризнаков нештатных ситуаций",
       format("%02d.%02d.%02d  %02d:%02d:%02d", s[2], s[1], s[0], s[3], s[4], s[5])},
      stateLine("Обмен с вычислителями РГ", s[6] == 0, "Есть", flowComputers),
      stateLine("Опрос хроматографа", s[7] == 0, format("Код ошибки %d", s[7])),
      yesNoLine("Нештатные значения параметров нитки 1", s[10] != 0),
      yesNoLine("Нештатные значения параметров нитки 2", s[11] != 0),
      stateLine("Опрос влагомера", s[8] == 0, format("Код ошибки %d", s[8]), moisture),
      stateLine("Самодиагностика", s[9] == 0, "Есть"),
      linkLine("Наличие связи с хроматографом", link[0] != 0),
      linkLine("Наличие связи с влагомером", link[1] != 0, moisture),
  };
}

bool pollControllerState(TableService& tables) {
  if (!tables.readTableRange(kAbnormalSummaryRange, false)) return false;
  normaliseAbnormalSummary(tables.image());
  return tables.readTableRange(kLinkStateRange, false);
}

bool readFlowComputerState(TableService& tables) {
  if (!tables.readTableRange({kFlowComputerLinkTable, 0, 1})) return false;
  const auto count = static_cast<std::uint8_t>(flowComputerCount(tables.image()));
  if (count == 0) return true;
  for (const int table :
       {kFlowComputerAddressTable, kFlowComputerLinkStateTable, kFlowComputerWriteTable}) {
    if (!tables.readTableRange({static_cast<std::uint8_t>(table), 0, count})) return false;
  }
  return true;
}

std::vector<FlowComputerStateRow> flowComputerStateRows(const ConfigImage& image) {
  std::vector<FlowComputerStateRow> rows;
  for (int i = 0; i < flowComputerCount(image); ++i) {
    const bool linked = image.field(kFlowComputerLinkStateTable, i)[0] != 0;
    const bool writing = image.field(kFlowComputerWriteTable, i)[0] != 0;
    rows.push_back({format("%d", image.field(kFlowComputerAddressTable, i)[0]),
                    {"", linked ? "Есть" : "Нет", linked ? DataColour::kBlack : DataColour::kRed},
                    {"", writing ? "Записываются" : "Не записываются",
                     writing ? DataColour::kBlack : DataColour::kRed}});
  }
  return rows;
}

}  // namespace zvc
