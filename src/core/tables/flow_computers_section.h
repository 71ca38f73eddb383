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

// One gas flow computer as the tables hold it, the same 20 bytes as in a configuration file:
// address (table 18), type (17), pipeline mask (19: bit p = pipeline p + 1 is written, bit p + 4
// = it takes run 2's values), byte order (20), write password (13, blank-padded).
inline constexpr std::size_t kFlowComputerRecordBytes = 20;
using FlowComputerRecord = std::array<std::uint8_t, kFlowComputerRecordBytes>;
inline constexpr std::size_t kPasswordOffset = 4;
inline constexpr std::size_t kPasswordBytes = 16;
// The "SOU" form splits the password field: 12 bytes of password, 4 of identification code.
inline constexpr std::size_t kSouPasswordBytes = 12;
inline constexpr std::size_t kSouCodeBytes = 4;
inline constexpr int kPipelines = 3;

inline constexpr std::string_view kFlowComputerListCaption = "Параметры вычислителей расхода газа";
inline constexpr const char* kFlowComputerCaptionFormat = "Параметры вычислителя расхода газа № %d";
inline constexpr std::array<std::string_view, 4> kFlowComputerTypeNames = {
    "ФЛОУТЭК", "ФЛОУКОР, ПМ-3В", "ВР-2", "ДФ-1"};
inline constexpr std::array<std::string_view, 4> kFlowComputerTypeEntries = {
    " ФЛОУТЭК", " ФЛОУКОР, ПМ-3В ", " ВР-2", " ДФ-1"};
inline constexpr std::array<std::string_view, 2> kByteOrderNames = {"Мл. адрес -- ст. байт",
                                                                     "Мл. адрес -- мл. байт"};
inline constexpr std::array<std::string_view, 2> kByteOrderEntries = {" Мл. адрес - ст. байт",
                                                                       " Мл. адрес - мл. байт"};
inline constexpr std::array<std::string_view, 4> kFlowComputerColumns = {
    "Адрес", "Тип", "Порядок байтов\nв многобайтных переменных",
    "Необходимость записи\nпараметров газа\nдля трубопроводов"};
inline constexpr std::string_view kFlowComputerAddressLabel = "Адрес  (1...254)";
inline constexpr std::string_view kFlowComputerTypeLabel = "Тип";
inline constexpr std::string_view kByteOrderLabel = "Порядок байтов в\nмногобайтных переменных";
inline constexpr std::string_view kPipelinesGroup = " Необходимость записи параметров газа";
inline constexpr std::array<std::string_view, kPipelines> kPipelineCaptions = {
    " т/п 1       ", " т/п 2       ", " т/п 3       "};
inline constexpr std::array<std::string_view, 2> kRunChoices = {"  Нитка 1 хром.",
                                                                 "  Нитка 2 хром."};
inline constexpr std::string_view kPasswordLabel = "Пароль на запись";
inline constexpr std::string_view kLongPasswordHint = "(до 16 символов)";
inline constexpr std::string_view kShortPasswordHint = "(до 12 символов)";
inline constexpr std::string_view kSouCodeLabel = "Код идентификации";
inline constexpr std::string_view kSouCodeHint = "(до 4 символов)";
inline constexpr std::string_view kSouLabel = "SOU";

// The texts of one grid row: address, type, byte order, pipeline mask.
std::array<std::string, 4> flowComputerRow(const FlowComputerRecord& record);
// "Вы действительно хотите удалить" / "вычислитель адр. %d?"
InputError flowComputerRemoveQuestion(const FlowComputerRecord& record);
// One line per flow computer for zvc-cli: the grid's columns; passwords are never shown.
std::vector<ParameterLine> flowComputerLines(std::span<const FlowComputerRecord> records);

// The entries of the list dialog, each with its "SOU" form and whether its password bytes must
// be written; both flags start cleared each time the list opens.
class FlowComputerList {
 public:
  // An empty list starts with one blank entry (address 0, password 16 blanks).
  explicit FlowComputerList(std::span<const FlowComputerRecord> records);

  int count() const { return static_cast<int>(entries_.size()); }
  const FlowComputerRecord& record(int index) const { return entries_[index].record; }
  bool sou(int index) const { return entries_[index].sou; }
  bool passwordChanged(int index) const { return entries_[index].passwordChanged; }
  // At most 16 entries, at least one.
  bool canAdd() const;
  bool canRemove() const;

  // An accepted new entry; its password is to be written.
  void add(const FlowComputerRecord& record, bool sou);
  // An edited entry; passwordChanged from the single dialog.
  void replace(int index, const FlowComputerRecord& record, bool sou, bool passwordChanged);
  // Later entries move one place up; the passwords they carry must be written at their places.
  void remove(int index);
  // "Вычислитель № %d" / "Неверно заданы параметры", or "Повтор адреса %d".
  std::optional<InputError> check() const;
  std::vector<FlowComputerRecord> records() const;

 private:
  struct Entry {
    FlowComputerRecord record;
    bool sou = false;
    bool passwordChanged = false;
  };
  std::vector<Entry> entries_;
};

// A new entry: 20 zero bytes.
FlowComputerRecord newFlowComputer();

// The single flow-computer dialog's fields.
struct FlowComputerInput {
  std::string address;  // editable list 1..254
  std::optional<int> type;
  std::optional<int> byteOrder;
  std::array<bool, kPipelines> pipelines{};
  std::array<std::optional<int>, kPipelines> runs;  // 0 run 1, 1 run 2
  bool sou = false;
  std::string password;
  std::string code;  // the "SOU" identification code
  bool operator==(const FlowComputerInput&) const = default;
};

// "1".."254" for the address list.
std::vector<std::string> flowComputerAddressTexts();
// Pipelines a flow computer of that type feeds: one for type 1, three for the others, none
// before a type is chosen.
int pipelineCount(std::optional<int> type);
// Whether run 0 or 1 of the chromatograph may be chosen, by the runs-in-use mask of table 14.
bool runSelectable(int run, std::uint8_t runsInUse);

FlowComputerInput flowComputerInput(const FlowComputerRecord& record, bool sou,
                                    std::uint8_t runsInUse);
// Stores the fields into record; passwordChanged tells whether the password bytes differ from
// those the record had.
std::optional<InputError> acceptFlowComputer(const FlowComputerInput& input,
                                             std::uint8_t runsInUse, FlowComputerRecord& record,
                                             bool& passwordChanged);

// Tables 9 (field 0, the count), 17..20 and 13 edited from the main menu. Passwords are never
// read from a controller: the records start with blank passwords.
class FlowComputersEdit {
 public:
  explicit FlowComputersEdit(TableService& tables);

  // Table 9 field 0, then tables 17..20 for that count.
  bool read();
  // Tables 17..20 fields 0..count-1 only, for a count table 9 is about to be given (the count
  // increase of the flow-computer link dialog).
  bool readRecords(int count);
  std::vector<FlowComputerRecord> records() const;
  // The runs in use, table 14 field 7.
  std::uint8_t runsInUse() const;
  // The list's count and records into table 9 field 0 and tables 17..20, 13 of the image.
  void store(const FlowComputerList& list);
  bool countChanged() const;
  // Table 9 field 0 when the count changed, then writeRecords().
  bool write();
  // Tables 17, 18, 19, 20 as changed, in this order, then the changed passwords one by one;
  // the first failure stops.
  bool writeRecords();

 private:
  TableService& tables_;
  TableEdit count_;
  int readCount_ = 0;
  std::array<std::vector<std::uint8_t>, 4> oldTables_;
  std::array<bool, 16> passwordChanged_{};
};

}  // namespace zvc
