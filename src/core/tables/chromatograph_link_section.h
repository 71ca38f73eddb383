#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/tables/table_edit.h"
#include "core/ui/input_error.h"

namespace zvc {

// Table 14, the MODBUS link to the chromatograph: address 1..247, baud-rate code, MODBUS mode,
// parity, answer timeout in hundredths of a second 5..255, failed polls before a diagnostic
// message 1..10, chromatograph type (always 7), runs in use (bit 0 run 1, bit 1 run 2), the two
// clock-synchronisation switches, per run the flow computer (index, pipeline 1..3) that supplies
// the gas temperature, the number of measured parameters 1..20, 0.
inline constexpr std::size_t kChromatographLinkBytes = 16;
// Table 1: the measured parameters, 20 records of 64 bytes; the first (field 14) are read.
inline constexpr std::size_t kParameterRecordBytes = 64;
inline constexpr std::size_t kParameterRecords = 20;
inline constexpr std::size_t kParameterBytes = kParameterRecords * kParameterRecordBytes;

struct ChromatographLinkSection {
  std::span<std::uint8_t, kChromatographLinkBytes> link;
  std::span<std::uint8_t, kParameterBytes> parameters;
};

// What the dialog shows beside the section: the names of the two runs and, when flow computers
// are present, their addresses in list order.
struct ChromatographLinkContext {
  std::array<std::string, 2> runNames;
  std::optional<std::vector<std::uint8_t>> flowComputers;
};

inline constexpr std::string_view kChromatographLinkCaption = " Параметры связи с хроматографом ";
inline constexpr std::string_view kChromatographAddressLabel = "Адрес хроматографа";
inline constexpr std::string_view kModbusModeLabel = "Режим обмена MODBUS протокола";
inline constexpr std::string_view kParityLabel = "Тип четности";
inline constexpr std::string_view kChromatographTimeoutLabel =
    "Таймаут ожидания ответа  от хромотогр.";
inline constexpr std::string_view kHundredthsUnit = "сс";
inline constexpr std::string_view kChromatographFailuresLabel =
    "Кол. неудачных опросов хроматографа\nподряд, после которого создается\nдиагностическое "
    "сообщение";
inline constexpr std::string_view kChromatographTypeLabel = "Тип хроматографа";
inline constexpr std::string_view kParameterCountLabel = "Количество параметров для чтения ";
inline constexpr std::string_view kParameterListCaption = "Перечень параметров для чтения ";
inline constexpr std::array<std::string_view, 2> kRunInUseFormats = {
    " Задействована нитка 1 (\"%s\")", " Задействована нитка 2 (\"%s\")"};
inline constexpr std::array<std::string_view, 2> kTemperatureSourceGroups = {
    " Для передачи Т газа нитке 1 хроматографа ", " Для передачи Т газа нитке 2 хроматографа "};
inline constexpr std::string_view kFlowComputerIndexLabel = "Индекс ВРГ";
inline constexpr std::string_view kPipelineLabel = "Номер нитки";

inline constexpr std::uint8_t kVelaType = 7;

struct ChromatographLinkInput {
  std::string address;  // an editable list 1..247
  std::optional<int> rate;
  std::optional<int> mode;            // 0 ASCII, 1 RTU
  std::optional<int> parity;          // 0 none, 1 odd, 2 even
  std::optional<int> timeout;         // entry of 5..255
  std::optional<int> failures;        // entry of 1..10
  std::optional<int> type;            // entry 0, "QRT Vela"
  std::optional<int> parameterCount;  // entry of 1..20
  std::array<bool, 2> runs{};
  std::array<std::optional<int>, 2> flowComputer;  // entry of the flow-computer list
  std::array<std::optional<int>, 2> pipeline;      // entry of 1..3
  bool operator==(const ChromatographLinkInput&) const = default;
};

std::vector<std::string> modbusAddressTexts();
std::vector<std::string> modbusModeTexts();
std::vector<std::string> chromatographParityTexts();
std::vector<std::string> modbusTimeoutTexts();
std::vector<std::string> chromatographTypeTexts();
std::vector<std::string> parameterCountTexts();
// "%d (адр. %d)" for each present flow computer.
std::vector<std::string> flowComputerTexts(const std::vector<std::uint8_t>& addresses);
std::vector<std::string> pipelineTexts();
std::string runInUseText(int run, const ChromatographLinkContext& context);

ChromatographLinkInput chromatographLinkInput(std::span<const std::uint8_t, 16> link,
                                              const ChromatographLinkContext& context);
// Stores the link; the clock-synchronisation switches (fields 8 and 9) stay as they were.
std::optional<InputError> acceptChromatographLink(const ChromatographLinkInput& input,
                                                  const ChromatographLinkContext& context,
                                                  std::span<std::uint8_t, 16> link);
std::vector<ParameterLine> chromatographLinkLines(std::span<const std::uint8_t, 16> link,
                                                  const ChromatographLinkContext& context);

// "Адрес должен быть" / "в диапазоне 1...247", for both MODBUS devices.
std::optional<InputError> checkModbusAddress(std::string_view text, std::uint8_t& address);

// The chromatograph link edited from the main menu: the flow computers when present, the run
// names, table 14, and what was read of table 1 at connection.
class ChromatographLinkEdit {
 public:
  explicit ChromatographLinkEdit(TableService& tables);

  bool read();
  ChromatographLinkSection section() const;
  const ChromatographLinkContext& context() const { return context_; }
  // Table 14 as changed.
  bool writeLink();
  // The records of table 1 now in use that changed.
  bool writeParameters();

 private:
  TableService& tables_;
  TableEdit link_;
  std::vector<std::uint8_t> oldParameters_;
  ChromatographLinkContext context_;
};

}  // namespace zvc
