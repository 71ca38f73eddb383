#include "core/app/archive_dialog_settings.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <string_view>

#include "core/common/file_io.h"

namespace zvc {

static_assert(std::endian::native == std::endian::little, "the record is little-endian");

ArchiveDialogSettings ArchiveDialogSettings::defaults(double nowDayCount) {
  ArchiveDialogSettings settings;
  settings.setPeriodChoice(0);
  settings.setIndexChoice(1);
  settings.setPeriodBegin(nowDayCount);
  settings.setPeriodEnd(nowDayCount);
  return settings;
}

std::uint32_t ArchiveDialogSettings::readU32(std::size_t at) const {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes_.data() + at, sizeof value);
  return value;
}

void ArchiveDialogSettings::writeU32(std::size_t at, std::uint32_t value) {
  std::memcpy(bytes_.data() + at, &value, sizeof value);
}

double ArchiveDialogSettings::readDouble(std::size_t at) const {
  double value = 0;
  std::memcpy(&value, bytes_.data() + at, sizeof value);
  return value;
}

void ArchiveDialogSettings::writeDouble(std::size_t at, double value) {
  std::memcpy(bytes_.data() + at, &value, sizeof value);
}

ArchiveDialogSettings loadArchiveDialogSettings(const std::filesystem::path& file,
                                                double nowDayCount) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return ArchiveDialogSettings::defaults(nowDayCount);
  ArchiveDialogSettings settings;
  const auto bytes = settings.bytes();
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return settings;
}

bool saveArchiveDialogSettings(const std::filesystem::path& file,
                               const ArchiveDialogSettings& settings) {
  const auto bytes = settings.bytes();
  return writeFileAtomically(
      file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace zvc
