#include "core/archives/message_view.h"

#include <vector>

#include "core/archives/diagnostic_decoder.h"
#include "core/archives/intervention_decoder.h"
#include "core/common/format.h"

namespace zvc {
namespace {

constexpr std::array<int, 8> kDiagnosticWidths = {4, 72, 73, 268, 382, 85, 85, 85};
constexpr std::array<int, 8> kInterventionWidths = {4, 78, 80, 310, 110, 109, 68, 65};

// The event and its object stand under the common heading "Сообщение".
constexpr std::array<std::string_view, 8> kDiagnosticHeadings = {"",
                                                                 "Дата",
                                                                 "Время",
                                                                 "Сообщение\nСобытие",
                                                                 "\nОбъект / Причина",
                                                                 "Текущее\nзначение\nпарам.",
                                                                 "Знач.\nуставки",
                                                                 "Единица\nизмер."};
constexpr std::array<std::string_view, 8> kInterventionHeadings = {
    "",
    "Дата",
    "Время",
    "Наименование\nизмененного параметра",
    "Старое\nзначение",
    "Новое\nзначение",
    "Единица\nизмер.",
    "Имя\nоператора"};

constexpr int kDiagnosticWindowWidth = 1092;
constexpr int kInterventionWindowWidth = 854;

std::string periodText(const DateTime6& time) {
  return format("%02d.%02d.%02d %02d:%02d:%02d", time.day, time.month, time.year, time.hour,
                time.minute, time.second);
}

bool anyRecordUnsound(const ArchiveRecords& records) {
  for (std::size_t i = 0; i < records.count(); ++i) {
    if (!recordIsSound(records[i])) return true;
  }
  return false;
}

}  // namespace

MessageViewRows::MessageViewRows(MessageFileKind kind, const ArchiveFileHeader& header,
                                 const ArchiveRecords& records, const ConfigImage& image,
                                 MessageViewMode mode, std::uint32_t firstIndex)
    : kind_(kind),
      mode_(mode),
      header_(&header),
      rows_(&records),
      image_(&image),
      firstIndex_(firstIndex),
      anyUnsound_(anyRecordUnsound(records)) {}

MessageViewRows::MessageViewRows(MessageFileKind kind, const ArchiveFileHeader& header,
                                 const ArchiveRecords& textRows)
    : kind_(kind), mode_(kViewFromFile), header_(&header), rows_(&textRows) {}

std::string MessageViewRows::text(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 1 || column > static_cast<int>(kMessageColumns)) {
    return {};
  }
  return rowTexts(row)[column - 1];
}

const MessageTexts& MessageViewRows::rowTexts(int row) const {
  if (row != cachedRow_) {
    cachedTexts_ = decode(row);
    cachedRow_ = row;
  }
  return cachedTexts_;
}

MessageTexts MessageViewRows::decode(int row) const {
  const auto bytes = (*rows_)[static_cast<std::size_t>(row)];
  if (mode_ == kViewFromFile) return readTextRow(bytes, messageFileFormat(kind_).rowSlots);
  if (kind_ == MessageFileKind::kDiagnostic) {
    return decodeDiagnosticRecord(bytes, header_->moistureMeterModel(), *image_).columns;
  }
  return decodeInterventionRecord(bytes, *image_).columns;
}

std::string MessageViewRows::caption() const {
  const bool diagnostic = kind_ == MessageFileKind::kDiagnostic;
  if (mode_ == kViewByIndex) {
    const auto last =
        static_cast<unsigned>(firstIndex_ + static_cast<std::uint32_t>(rowCount()) - 1);
    return diagnostic
               ? format("Диагностические сообщения с индексами от %u до %u", firstIndex_, last)
               : format("Сообщения о вмешательствах оператора с индексами от %u до %u", firstIndex_,
                        last);
  }
  const std::string start = periodText(header_->periodStart());
  const std::string end = periodText(header_->periodEnd());
  return diagnostic
             ? format("Диагностические сообщения за период с %s по %s", start.c_str(), end.c_str())
             : format("Сообщения о вмешательствах оператора за период с %s по %s", start.c_str(),
                      end.c_str());
}

std::string_view MessageViewRows::statusLine() const {
  return anyUnsound_ ? kUnsoundRecordStatus : std::string_view();
}

std::string_view MessageViewRows::columnHeading(int column) const {
  if (column < 0 || column >= static_cast<int>(kDiagnosticHeadings.size())) return {};
  const auto& headings =
      kind_ == MessageFileKind::kDiagnostic ? kDiagnosticHeadings : kInterventionHeadings;
  return headings[static_cast<std::size_t>(column)];
}

std::span<const int, 8> MessageViewRows::columnWidths() const {
  return kind_ == MessageFileKind::kDiagnostic ? kDiagnosticWidths : kInterventionWidths;
}

int MessageViewRows::windowWidth() const {
  return kind_ == MessageFileKind::kDiagnostic ? kDiagnosticWindowWidth : kInterventionWindowWidth;
}

ArchiveRecords MessageViewRows::textRows() const {
  const MessageFileFormat& fileFormat = messageFileFormat(kind_);
  if (mode_ == kViewFromFile) {
    const auto bytes = rows_->bytes();
    return ArchiveRecords(fileFormat.rowSize,
                          std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  }
  const auto count = static_cast<std::size_t>(rowCount());
  std::vector<std::uint8_t> bytes(count * fileFormat.rowSize);
  for (std::size_t row = 0; row < count; ++row) {
    const std::span<std::uint8_t> slot(&bytes[row * fileFormat.rowSize], fileFormat.rowSize);
    writeTextRow(decode(static_cast<int>(row)), fileFormat.rowSlots, slot);
  }
  return ArchiveRecords(fileFormat.rowSize, std::move(bytes));
}

}  // namespace zvc
