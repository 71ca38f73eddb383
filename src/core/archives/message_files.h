#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/app/working_folder.h"
#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/common/calendar.h"
#include "core/common/save_file_name.h"

namespace zvc {

class Frontend;

enum class MessageFileKind { kDiagnostic, kIntervention };
// Every kind, for the lists of files the program opens.
inline constexpr std::array<MessageFileKind, 2> kMessageFileKinds = {
    MessageFileKind::kDiagnostic, MessageFileKind::kIntervention};

// The seven texts of one view row (columns 1..7), UTF-8.
inline constexpr std::size_t kMessageColumns = 7;
using MessageTexts = std::array<std::string, kMessageColumns>;

// Where one column's text lies in a text row.
struct TextSlot {
  std::size_t offset;
  std::size_t size;
};
using TextRowLayout = std::array<TextSlot, kMessageColumns>;

// Date, time, event, object or cause, current value, setpoint value, unit.
struct DiagnosticTextRow {
  static constexpr std::size_t kSize = 300;
  static constexpr TextRowLayout kSlots = {
      {{0, 20}, {20, 20}, {40, 100}, {140, 100}, {240, 20}, {260, 20}, {280, 20}}};
};

// Date, time, field name, old value, new value, unit, operator.
struct InterventionTextRow {
  static constexpr std::size_t kSize = 205;
  static constexpr TextRowLayout kSlots = {
      {{0, 20}, {20, 20}, {40, 100}, {140, 20}, {160, 20}, {180, 20}, {200, 5}}};
};

// What a row of an unsound record holds: this in the date column, nothing else.
inline constexpr std::string_view kUnsoundRowMark = "   ***";

// A zeroed row with each text in its slot as Windows-1251, cut to the slot and NUL-padded; a
// number longer than its slot is written as "%.4e" instead.
// `row` must be as long as the layout's row.
void writeTextRow(const MessageTexts& texts, const TextRowLayout& layout,
                  std::span<std::uint8_t> row);
// The texts of a row: each slot's bytes up to the first NUL, blanks kept (the unsound mark
// begins with three).
MessageTexts readTextRow(std::span<const std::uint8_t> row, const TextRowLayout& layout);

// Everything that tells the two message files apart.
struct MessageFileFormat {
  MessageFileKind kind;
  std::string_view signature;  // of the header
  std::string_view extension;
  Subfolder folder;
  std::size_t rowSize;
  TextRowLayout rowSlots;        // "slots" would meet Qt's macro
  std::string_view saveFilter;   // the save dialog's
  std::string_view openFilter;   // preselected in the open dialog
  std::string_view refusalLine;  // second line of the "not such a file" error
};

const MessageFileFormat& messageFileFormat(MessageFileKind kind);

inline constexpr std::string_view kSaveDialogTitle = "Введите имя файла для сохранения данных";
inline constexpr std::string_view kOpenDialogTitle = "Выберите файл с данными";

// The save dialog's proposal: the kind's folder, the link address of the header, 15 and today.
// The two kinds put the address and 15 in opposite order; files of both orders are about.
std::filesystem::path proposedMessageFileName(MessageFileKind kind, const WorkingFolder& folder,
                                              std::uint8_t linkAddress, const DateTime6& today);

// The chosen name, with the kind's extension appended when it has none.
std::filesystem::path withMessageExtension(MessageFileKind kind, const std::filesystem::path& name);

// Asks for the name until the user cancels, names a new file or agrees to replace an existing
// one ("no" asks again, starting from the name just chosen).
std::optional<std::filesystem::path> chooseMessageFileName(MessageFileKind kind,
                                                           const std::filesystem::path& proposed,
                                                           const AskFileName& askName,
                                                           Frontend& frontend);

// Writes the header and the text rows, the header counting the rows written, and tells the
// outcome. The old file stays whole when the write fails.
bool writeMessageFile(const std::filesystem::path& file, const ArchiveFileHeader& header,
                      const ArchiveRecords& textRows, Frontend& frontend);

// "Сохранить в файле" of a view: the name (proposed from the header's link address and `today`),
// then the file. False when nothing was saved.
bool saveMessageFile(MessageFileKind kind, const WorkingFolder& folder,
                     const ArchiveFileHeader& header, const ArchiveRecords& textRows,
                     const DateTime6& today, const AskFileName& askName, Frontend& frontend);

// Opens a saved archive file of the kind, telling a file that does not open ("Ошибка открытия
// файла") or is of another kind ("Файл %s не является файлом, содержащим" / `refusalLine`).
std::optional<ArchiveFile> openArchiveFileTold(const std::filesystem::path& file,
                                               const ArchiveFileKind& kind, std::size_t rowSize,
                                               std::string_view refusalLine, Frontend& frontend);

// A saved message file: its header, its count made the number of complete rows it holds.
struct SavedMessages {
  ArchiveFileHeader header;
  ArchiveRecords rows{1};
};

// Opens a saved file of the kind; a file that does not open or is of another kind is refused
// with its message and gives nullopt.
std::optional<SavedMessages> openMessageFile(MessageFileKind kind,
                                             const std::filesystem::path& file, Frontend& frontend);

}  // namespace zvc
