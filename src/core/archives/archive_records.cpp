#include "core/archives/archive_records.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "core/common/crc16.h"

namespace zvc {

bool recordIsSound(std::span<const std::uint8_t> record) {
  return record.size() >= 2 && Crc16(record.data(), record.size()) == 0;
}

ArchiveRecords::ArchiveRecords(std::size_t recordSize, std::vector<std::uint8_t> bytes)
    : ArchiveRecords(recordSize) {
  bytes.resize(bytes.size() / recordSize_ * recordSize_);
  bytes_ = std::move(bytes);
}

std::optional<ArchiveRecords> readArchiveRecords(const std::filesystem::path& file,
                                                 std::uintmax_t offset, std::size_t recordSize,
                                                 std::uintmax_t maxCount) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size <= offset || recordSize == 0) return ArchiveRecords(recordSize);
  const std::uintmax_t present = (size - offset) / recordSize;
  std::vector<std::uint8_t> bytes(std::min(present, maxCount) * recordSize);
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // The file may have shrunk since its size was taken.
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return ArchiveRecords(recordSize, std::move(bytes));
}

}  // namespace zvc
