#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zvc {

// Byte 1 of the archive requests of functions 7 and 8.
enum ArchiveKind : std::uint8_t {
  kDiagnosticArchive = 0,
  kInterventionArchive = 1,
  kCalibrationArchive = 5,
  kMeasurementArchive = 6,
  kVerificationArchive = 7,
};

// Every archive record ends with the checksum of the bytes before it, low byte first, so the
// checksum over the whole record is 0. A record of fewer than two bytes is not sound.
bool recordIsSound(std::span<const std::uint8_t> record);

// Records (or text rows) of one size end to end, as read from the controller or a file.
// A value cell of an archive table that shows a number: the value and the mark beside it ('*',
// '#', '"' or ' ').
struct ShownValue {
  float value;
  char mark;
  bool operator==(const ShownValue&) const = default;
};

class ArchiveRecords {
 public:
  explicit ArchiveRecords(std::size_t recordSize) : recordSize_(recordSize == 0 ? 1 : recordSize) {}
  // Whole records only; a trailing part of a record is dropped.
  ArchiveRecords(std::size_t recordSize, std::vector<std::uint8_t> bytes);

  std::size_t recordSize() const { return recordSize_; }
  std::size_t count() const { return bytes_.size() / recordSize_; }
  bool empty() const { return bytes_.empty(); }
  std::span<const std::uint8_t> operator[](std::size_t index) const {
    return std::span(bytes_).subspan(index * recordSize_, recordSize_);
  }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::size_t recordSize_;
  std::vector<std::uint8_t> bytes_;
};

// The records of a file from byte `offset` on, at most `maxCount` of them. Room is taken only for
// the complete records the file holds, whatever count the caller was told; nullopt when the file
// does not open.
std::optional<ArchiveRecords> readArchiveRecords(const std::filesystem::path& file,
                                                 std::uintmax_t offset, std::size_t recordSize,
                                                 std::uintmax_t maxCount);

}  // namespace zvc
