#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace zvc {

// The last choices of the archive index and period dialogs, kept for the whole run and stored
// raw in "rd_arh.ini". The file may come from anywhere: the accessors hand out what it holds
// (any choice number, NaN or absurd day counts) and the dialogs check it before use.
class ArchiveDialogSettings {
 public:
  static constexpr std::size_t kSize = 74;
  // Byte layout.
  static constexpr std::size_t kPeriodChoiceAt = 0;  // u32: period dialog's choice 0..2
  static constexpr std::size_t kIndexChoiceAt = 4;   // u32: index dialog's choice 0..4
  static constexpr std::size_t kPeriodBeginAt = 8;   // double: days since 1899-12-30
  static constexpr std::size_t kPeriodEndAt = 16;    // double: same
  static constexpr std::size_t kReservedAt = 24;     // 50 bytes, zero

  // Period choice 0, index choice 1, the period from now to now.
  static ArchiveDialogSettings defaults(double nowDayCount);

  std::uint32_t periodChoice() const { return readU32(kPeriodChoiceAt); }
  void setPeriodChoice(std::uint32_t choice) { writeU32(kPeriodChoiceAt, choice); }
  std::uint32_t indexChoice() const { return readU32(kIndexChoiceAt); }
  void setIndexChoice(std::uint32_t choice) { writeU32(kIndexChoiceAt, choice); }
  double periodBegin() const { return readDouble(kPeriodBeginAt); }
  void setPeriodBegin(double dayCount) { writeDouble(kPeriodBeginAt, dayCount); }
  double periodEnd() const { return readDouble(kPeriodEndAt); }
  void setPeriodEnd(double dayCount) { writeDouble(kPeriodEndAt, dayCount); }

  std::span<std::uint8_t, kSize> bytes() { return bytes_; }
  std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }

 private:
  std::uint32_t readU32(std::size_t at) const;
  void writeU32(std::size_t at, std::uint32_t value);
  double readDouble(std::size_t at) const;
  void writeDouble(std::size_t at, double value);

  std::array<std::uint8_t, kSize> bytes_{};
};

// A file that opens gives its first 74 bytes (a shorter one only the bytes it holds, the rest
// zero); a file that does not open gives the defaults.
ArchiveDialogSettings loadArchiveDialogSettings(const std::filesystem::path& file,
                                                double nowDayCount);
// All 74 bytes; false when the file could not be written (the old one then stays).
bool saveArchiveDialogSettings(const std::filesystem::path& file,
                               const ArchiveDialogSettings& settings);

}  // namespace zvc
