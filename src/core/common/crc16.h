#pragma once

#include <cstddef>
#include <cstdint>

namespace zvc {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial 0xFFFF, no final
// inversion. Stored low byte first, so a block followed by its own checksum
// gives 0 — frames and archive records are checked that way.
std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t count);

// Appends the checksum of bytes[0..count) at bytes[count], low byte first.
void appendCrc16(std::uint8_t* bytes, std::size_t count);

}  // namespace zvc
