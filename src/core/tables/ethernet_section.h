#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

// Table 29, Ethernet: the controller's IP address, subnet mask and default gateway, each 4 bytes
// with the last octet of the dotted form first (192.168.1.10 is stored 10, 1, 168, 192), then
// four u32 port numbers.
inline constexpr std::size_t kEthernetBytes = 28;
using EthernetSection = std::span<std::uint8_t, kEthernetBytes>;
using ConstEthernetSection = std::span<const std::uint8_t, kEthernetBytes>;

inline constexpr std::string_view kEthernetCaption = " Параметры связи по Ethernet";
inline constexpr std::array<std::string_view, 3> kEthernetAddressLabels = {
    "IP-адрес контроллера", "Маска подсети", "Шлюз по умолчанию"};
inline constexpr std::array<std::string_view, 4> kEthernetPortLabels = {
    "Порт соединения  ВРГ 1", "Порт соединения  ВРГ 2", "Порт соединения ЖВЦ 1",
    "Порт соединения ЖВЦ 2"};

struct EthernetInput {
  // Each address in dotted order: the field of byte 3 first.
  std::array<std::array<std::string, 4>, 3> addresses;
  std::array<std::string, 4> ports;
  bool operator==(const EthernetInput&) const = default;
};

EthernetInput ethernetInput(ConstEthernetSection section);
// Every field must be filled; octets 0..255 and ports 0..65535, since a wrong address stored in
// the controller cuts it off the network.
std::optional<InputError> acceptEthernet(const EthernetInput& input, EthernetSection section);
std::vector<ParameterLine> ethernetLines(ConstEthernetSection section);

}  // namespace zvc
