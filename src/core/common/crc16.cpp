#include "core/common/crc16.h"

namespace zvc {

std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t count) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

void appendCrc16(std::uint8_t* bytes, std::size_t count) {
  const std::uint16_t crc = Crc16(bytes, count);
  bytes[count] = static_cast<std::uint8_t>(crc & 0xFF);
  bytes[count + 1] = static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace zvc
