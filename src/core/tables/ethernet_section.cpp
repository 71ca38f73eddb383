#include "core/tables/ethernet_section.h"

#include <algorithm>

namespace zvc {
namespace {

constexpr std::size_t kFieldBytes = 4;
constexpr std::size_t kFirstPortField = 3;
constexpr long long kMaxOctet = 255;
constexpr long long kMaxPort = 65535;

std::size_t fieldStart(std::size_t field) {
  return field * kFieldBytes;
}

std::uint32_t readU32(ConstEthernetSection section, std::size_t field) {
  const std::size_t at = fieldStart(field);
  return section[at] | (section[at + 1] << 8) | (section[at + 2] << 16) |
         (std::uint32_t{section[at + 3]} << 24);
}

void writeU32(EthernetSection section, std::size_t field, std::uint32_t value) {
  for (std::size_t byte = 0; byte < kFieldBytes; ++byte) {
    section[fieldStart(field) + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
  }
}

bool anyEmpty(const EthernetInput& input) {
  const auto empty = [](const std::string& text) { return !fieldNumber(text); };
  return std::ranges::any_of(
             input.addresses,
             [&](const auto& octets) { return std::ranges::any_of(octets, empty); }) ||
         std::ranges::any_of(input.ports, empty);
}

}  // namespace

EthernetInput ethernetInput(ConstEthernetSection section) {
  EthernetInput input;
  for (std::size_t address = 0; address < input.addresses.size(); ++address) {
    for (std::size_t octet = 0; octet < kFieldBytes; ++octet) {
      input.addresses[address][octet] =
          std::to_string(section[fieldStart(address) + kFieldBytes - 1 - octet]);
    }
  }
  for (std::size_t port = 0; port < input.ports.size(); ++port) {
    input.ports[port] = std::to_string(readU32(section, kFirstPortField + port));
  }
  return input;
}

std::optional<InputError> acceptEthernet(const EthernetInput& input, EthernetSection section) {
  if (anyEmpty(input)) return missingInput();
  for (const auto& octets : input.addresses) {
    for (const std::string& octet : octets) {
      if (*fieldNumber(octet) > kMaxOctet) return ipPartOutOfRange();
    }
  }
  for (const std::string& port : input.ports) {
    if (*fieldNumber(port) > kMaxPort) return tcpPortOutOfRange();
  }
  for (std::size_t address = 0; address < input.addresses.size(); ++address) {
    for (std::size_t octet = 0; octet < kFieldBytes; ++octet) {
      section[fieldStart(address) + kFieldBytes - 1 - octet] =
          static_cast<std::uint8_t>(*fieldNumber(input.addresses[address][octet]));
    }
  }
  for (std::size_t port = 0; port < input.ports.size(); ++port) {
    writeU32(section, kFirstPortField + port,
             static_cast<std::uint32_t>(*fieldNumber(input.ports[port])));
  }
  return std::nullopt;
}

std::vector<ParameterLine> ethernetLines(ConstEthernetSection section) {
  const EthernetInput input = ethernetInput(section);
  std::vector<ParameterLine> lines;
  for (std::size_t address = 0; address < input.addresses.size(); ++address) {
    const auto& octets = input.addresses[address];
    lines.push_back({std::string(kEthernetAddressLabels[address]),
                     octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3]});
  }
  for (std::size_t port = 0; port < input.ports.size(); ++port) {
    lines.push_back({std::string(kEthernetPortLabels[port]), input.ports[port]});
  }
  return lines;
}

}  // namespace zvc
