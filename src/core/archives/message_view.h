#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/archives/archive_file_header.h"
#include "core/archives/archive_records.h"
#include "core/archives/message_files.h"

namespace zvc {

class ConfigImage;

// How the rows came: read by index, read by period, loaded from a saved file.
enum MessageViewMode { kViewByIndex = 0, kViewByPeriod = 1, kViewFromFile = 2 };

inline constexpr std::string_view kUnsoundRecordStatus =
    "  ***  Данные в записи недостоверны (не совпадает КС)";

// What a message view window shows: caption, column widths, the texts of every cell and the
// status line, and the text rows a save writes. A reading's records are decoded only when a row
// is asked for, so a view of many records opens at once. The header, the records (or text rows)
// and the image belong to the caller and must outlive the view.
class MessageViewRows {
 public:
  // A reading (kViewByIndex or kViewByPeriod); `firstIndex` is the index the reading began at.
  MessageViewRows(MessageFileKind kind, const ArchiveFileHeader& header,
                  const ArchiveRecords& records, const ConfigImage& image, MessageViewMode mode,
                  std::uint32_t firstIndex);
  // A saved file's text rows (kViewFromFile).
  MessageViewRows(MessageFileKind kind, const ArchiveFileHeader& header,
                  const ArchiveRecords& textRows);

  MessageFileKind kind() const { return kind_; }
  MessageViewMode mode() const { return mode_; }
  const ArchiveFileHeader& header() const { return *header_; }

  int rowCount() const { return static_cast<int>(rows_->count()); }
  // Column 0 is the blank margin, 1..7 the texts of the row; anything else is empty.
  std::string text(int row, int column) const;
  // The seven texts of a row (columns 1..7). A reading shows its texts whole, a file what its
  // slots hold.
  const MessageTexts& rowTexts(int row) const;

  std::string caption() const;
  // The unsound-record line when a record of the reading fails its checksum, else empty.
  std::string_view statusLine() const;
  // The heading of a grid column, its lines separated by '\n'; the margin column has none.
  std::string_view columnHeading(int column) const;
  // Columns 0..7 in the designer's units: their proportions.
  std::span<const int, 8> columnWidths() const;
  int windowWidth() const;

  // One text row per grid row, as a save writes them: a reading's rows built from its texts, a
  // file's rows as loaded.
  ArchiveRecords textRows() const;

 private:
  MessageTexts decode(int row) const;

  MessageFileKind kind_;
  MessageViewMode mode_;
  const ArchiveFileHeader* header_;
  const ArchiveRecords* rows_;
  const ConfigImage* image_ = nullptr;
  std::uint32_t firstIndex_ = 0;
  bool anyUnsound_ = false;

  // The grid asks for a row's columns one after the other; one row is decoded once.
  mutable int cachedRow_ = -1;
  mutable MessageTexts cachedTexts_;
};

}  // namespace zvc
