#include "core/archives/archive_file_header.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>

#include "core/tables/config_image.h"

namespace zvc {
namespace {

static_assert(std::endian::native == std::endian::little, "the header is little-endian");

constexpr std::size_t kSignatureSize = 3;
constexpr std::size_t kPeriodSize = 6;

constexpr int kNamesTable = 5;
constexpr int kChromatographTable = 14;
constexpr int kChromatographModelField = 6;
constexpr int kParameterCountField = 14;
constexpr int kMoistureMeterTable = 15;
constexpr int kMoistureMeterModelField = 6;
constexpr int kParametersTable = 1;
constexpr int kSerialNumberTable = 41;

// Table 1 record: designation, unit code, decimals.
constexpr std::size_t kDesignationAt = 40;
constexpr std::size_t kUnitCodeAt = 50;
constexpr std::size_t kDecimalsAt = 61;

constexpr int kChromatographDevice = 0;

// Measurement files name their run (the moisture meter's the first one); hourly and daily files
// only for the chromatograph.
bool namesRun(std::string_view signature, std::uint8_t sourceByte) {
  if (signature == "MSA") return true;
  const bool hourDay = signature == "HOU" || signature == "DAY";
  return hourDay && (sourceByte & 0x0F) == kChromatographDevice;
}

void copyInto(std::span<const std::uint8_t> from, std::uint8_t* to) {
  std::copy(from.begin(), from.end(), to);
}

}  // namespace

std::string_view ArchiveFileHeader::signature() const {
  return {reinterpret_cast<const char*>(&bytes_[kSignatureAt]), kSignatureSize};
}

int ArchiveFileHeader::parameterCount() const {
  return std::min<int>(bytes_[kParameterCountAt], kMaxParameters);
}

std::span<const std::uint8_t> ArchiveFileHeader::parameterName(int index) const {
  if (index < 0 || index >= kMaxParameters) return {};
  return slice(kParametersAt + kParameterSlot * index, kParameterNameSize);
}

std::uint8_t ArchiveFileHeader::parameterUnitCode(int index) const {
  if (index < 0 || index >= kMaxParameters) return 0;
  return bytes_[kParametersAt + kParameterSlot * index + kUnitCodeInSlot];
}

std::uint8_t ArchiveFileHeader::parameterDecimals(int index) const {
  if (index < 0 || index >= kMaxParameters) return 0;
  return bytes_[kParametersAt + kParameterSlot * index + kDecimalsInSlot];
}

std::span<const std::uint8_t, 6> ArchiveFileHeader::periodStartBytes() const {
  return std::span(bytes_).subspan<kPeriodStartAt, kPeriodSize>();
}

std::span<const std::uint8_t, 6> ArchiveFileHeader::periodEndBytes() const {
  return std::span(bytes_).subspan<kPeriodEndAt, kPeriodSize>();
}

void ArchiveFileHeader::clearPeriod() {
  std::fill_n(&bytes_[kPeriodStartAt], 2 * kPeriodSize, 0);
}

void ArchiveFileHeader::setPeriod(const DateTime6& start, const DateTime6& end) {
  start.toBytes(&bytes_[kPeriodStartAt]);
  end.toBytes(&bytes_[kPeriodEndAt]);
}

void ArchiveFileHeader::setPeriod(const DateHour4& start, const DateHour4& end) {
  clearPeriod();
  start.toBytes(&bytes_[kPeriodStartAt]);
  end.toBytes(&bytes_[kPeriodEndAt]);
}

void ArchiveFileHeader::setPeriod(const Date3& start, const Date3& end) {
  clearPeriod();
  start.toBytes(&bytes_[kPeriodStartAt]);
  end.toBytes(&bytes_[kPeriodEndAt]);
}

std::uint32_t ArchiveFileHeader::readU32(std::size_t at) const {
  std::uint32_t value = 0;
  std::memcpy(&value, &bytes_[at], sizeof value);
  return value;
}

void ArchiveFileHeader::writeU32(std::size_t at, std::uint32_t value) {
  std::memcpy(&bytes_[at], &value, sizeof value);
}

ArchiveFileHeader buildArchiveFileHeader(std::string_view signature, std::uint8_t sourceByte,
                                         const ConfigImage& image, std::uint8_t linkAddress) {
  using H = ArchiveFileHeader;
  ArchiveFileHeader header;
  const auto out = header.bytes();
  std::copy_n(signature.begin(), std::min(signature.size(), kSignatureSize), &out[H::kSignatureAt]);
  out[H::kSourceAt] = sourceByte;
  copyInto(image.field(kNamesTable, 0), &out[H::kControllerNameAt]);
  if (namesRun(signature, sourceByte)) {
    copyInto(image.field(kNamesTable, 1 + (sourceByte >> 4 & 1)), &out[H::kRunNameAt]);
  }
  out[H::kAddressAt] = linkAddress;
  out[H::kControllerTypeAt] = H::kControllerType;
  out[H::kChromatographModelAt] = image.field(kChromatographTable, kChromatographModelField)[0];
  out[H::kMoistureMeterModelAt] = image.field(kMoistureMeterTable, kMoistureMeterModelField)[0];
  copyInto(image.field(kSerialNumberTable, 0), &out[H::kSerialNumberAt]);
  // The image may hold any count; the header has room for twenty descriptors.
  const int count =
      std::min<int>(image.field(kChromatographTable, kParameterCountField)[0], H::kMaxParameters);
  out[H::kParameterCountAt] = static_cast<std::uint8_t>(count);
  for (int c = 0; c < count; ++c) {
    const auto record = image.field(kParametersTable, c);
    std::uint8_t* slot = &out[H::kParametersAt + H::kParameterSlot * c];
    copyInto(record.subspan(kDesignationAt, H::kParameterNameSize), slot);
    slot[H::kUnitCodeInSlot] = record[kUnitCodeAt];
    slot[H::kDecimalsInSlot] = record[kDecimalsAt];
  }
  return header;
}

bool headerMatches(const ArchiveFileHeader& header, const ArchiveFileKind& kind) {
  return header.signature() == kind.signature &&
         header.controllerType() == ArchiveFileHeader::kControllerType &&
         header.chromatographModel() == ArchiveFileHeader::kVelaChromatograph &&
         (!kind.device || header.device() == *kind.device);
}

ArchiveFile openArchiveFile(const std::filesystem::path& file, const ArchiveFileKind& kind,
                            std::size_t rowSize) {
  ArchiveFile result;
  {
    std::ifstream in(file, std::ios::binary);
    if (!in) return result;
    const auto bytes = result.header.bytes();
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()) ||
        !headerMatches(result.header, kind)) {
      result.status = ArchiveFile::Status::kWrongKind;
      return result;
    }
  }
  auto rows =
      readArchiveRecords(file, ArchiveFileHeader::kSize, rowSize, result.header.recordCount());
  if (!rows) return result;
  result.rows = std::move(*rows);
  result.header.setRecordCount(static_cast<std::uint32_t>(result.rows.count()));
  result.status = ArchiveFile::Status::kOpened;
  return result;
}

}  // namespace zvc
