#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "core/archives/archive_dates.h"
#include "core/archives/archive_records.h"
#include "core/common/calendar.h"

namespace zvc {

class ConfigImage;

// The 905 bytes that lead every archive file the program saves and go with the records while a
// table shows them. Multi-byte values little-endian; bytes nobody sets are 0.
class ArchiveFileHeader {
 public:
  static constexpr std::size_t kSize = 905;
  static constexpr std::uint8_t kControllerType = 15;
  static constexpr std::uint8_t kVelaChromatograph = 7;
  static constexpr int kMaxParameters = 20;

  // Byte layout.
  static constexpr std::size_t kSignatureAt = 0;  // 3 letters: "MSA", "HOU", "ALA", ...
  static constexpr std::size_t kSourceAt = 3;     // run in the high nibble, device in the low
  static constexpr std::size_t kControllerNameAt = 4;
  static constexpr std::size_t kRunNameAt = 24;
  static constexpr std::size_t kNameSize = 20;
  static constexpr std::size_t kAddressAt = 44;
  static constexpr std::size_t kControllerTypeAt = 45;
  static constexpr std::size_t kChromatographModelAt = 46;
  static constexpr std::size_t kMoistureMeterModelAt = 47;
  static constexpr std::size_t kSerialNumberAt = 48;
  static constexpr std::size_t kParameterCountAt = 52;
  static constexpr std::size_t kParametersAt = 79;  // one 41-byte slot per parameter
  static constexpr std::size_t kParameterSlot = 41;
  static constexpr std::size_t kParameterNameSize = 10;
  static constexpr std::size_t kUnitCodeInSlot = 11;
  static constexpr std::size_t kDecimalsInSlot = 12;
  static constexpr std::size_t kReadTimeAt = 873;
  static constexpr std::size_t kPeriodStartAt = 879;
  static constexpr std::size_t kPeriodEndAt = 885;
  static constexpr std::size_t kRecordCountAt = 891;

  std::string_view signature() const;
  std::uint8_t sourceByte() const { return bytes_[kSourceAt]; }
  int run() const { return sourceByte() >> 4; }
  int device() const { return sourceByte() & 0x0F; }
  std::span<const std::uint8_t> controllerName() const {
    return slice(kControllerNameAt, kNameSize);
  }
  std::span<const std::uint8_t> runName() const { return slice(kRunNameAt, kNameSize); }
  std::uint8_t address() const { return bytes_[kAddressAt]; }
  std::uint8_t controllerType() const { return bytes_[kControllerTypeAt]; }
  std::uint8_t chromatographModel() const { return bytes_[kChromatographModelAt]; }
  std::uint8_t moistureMeterModel() const { return bytes_[kMoistureMeterModelAt]; }
  std::uint32_t serialNumber() const { return readU32(kSerialNumberAt); }
  // A saved file may hold any byte here; never more than the slots there are.
  int parameterCount() const;
  std::span<const std::uint8_t> parameterName(int index) const;
  std::uint8_t parameterUnitCode(int index) const;
  std::uint8_t parameterDecimals(int index) const;
  DateTime6 readTime() const { return DateTime6::fromBytes(&bytes_[kReadTimeAt]); }
  // The period in the file's own form; an hourly file's start reads as DateHour4 of these bytes.
  std::span<const std::uint8_t, 6> periodStartBytes() const;
  std::span<const std::uint8_t, 6> periodEndBytes() const;
  DateTime6 periodStart() const { return DateTime6::fromBytes(&bytes_[kPeriodStartAt]); }
  DateTime6 periodEnd() const { return DateTime6::fromBytes(&bytes_[kPeriodEndAt]); }
  std::uint32_t recordCount() const { return readU32(kRecordCountAt); }

  void setReadTime(const DateTime6& time) { time.toBytes(&bytes_[kReadTimeAt]); }
  // DateTime6 fills all six bytes, DateHour4 four and Date3 three; the rest stays 0.
  void setPeriod(const DateTime6& start, const DateTime6& end);
  void setPeriod(const DateHour4& start, const DateHour4& end);
  void setPeriod(const Date3& start, const Date3& end);
  void setRecordCount(std::uint32_t count) { writeU32(kRecordCountAt, count); }

  std::span<std::uint8_t, kSize> bytes() { return bytes_; }
  std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> slice(std::size_t at, std::size_t size) const {
    return std::span(bytes_).subspan(at, size);
  }
  std::uint32_t readU32(std::size_t at) const;
  void writeU32(std::size_t at, std::uint32_t value);
  void clearPeriod();

  std::array<std::uint8_t, kSize> bytes_{};
};

// Everything the configuration image and the link give: signature, source byte, controller name,
// the run's name (measurement files, and chromatograph hourly and daily files), link address, type 15,
// model codes, serial number and the measured-parameter descriptors. The reading time, the period
// and the count are the reader's to set.
ArchiveFileHeader buildArchiveFileHeader(std::string_view signature, std::uint8_t sourceByte,
                                         const ConfigImage& image, std::uint8_t linkAddress);

// What a saved file must be to be opened: its signature and, where the opening side cares, the
// device nibble of the source byte. Type 15 and chromatograph model 7 are always required.
struct ArchiveFileKind {
  std::string_view signature;
  std::optional<int> device;
};

bool headerMatches(const ArchiveFileHeader& header, const ArchiveFileKind& kind);

// The entry of a table of saved-file formats whose `extension` the file has; nullptr for none.
template <typename Format, std::size_t N>
const Format* formatOfExtension(const Format (&formats)[N], const std::filesystem::path& file) {
  for (const Format& candidate : formats) {
    if (file.extension() == candidate.extension) return &candidate;
  }
  return nullptr;
}

struct ArchiveFile {
  enum class Status { kOpened, kCannotOpen, kWrongKind };
  Status status = Status::kCannotOpen;
  ArchiveFileHeader header;
  ArchiveRecords rows{1};
};

// Reads the header and then at most its count of rows of `rowSize` bytes, fewer when the file
// ends earlier (the header's count then becomes the number read). The count is not trusted with
// the memory: room is taken only for the rows the file holds.
ArchiveFile openArchiveFile(const std::filesystem::path& file, const ArchiveFileKind& kind,
                            std::size_t rowSize);

}  // namespace zvc
