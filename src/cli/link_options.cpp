#include "cli/link_options.h"

#include <cctype>

#include "core/common/baud_rates.h"
#include "core/common/format.h"

namespace zvc::cli {
namespace {

// "COMn" in any case: n, 0 when n is not a number.
std::optional<int> comNumber(std::string_view name) {
  if (name.size() < 4) return std::nullopt;
  for (std::size_t at = 0; at < 3; ++at) {
    if (std::toupper(static_cast<unsigned char>(name[at])) != "COM"[at]) return std::nullopt;
  }
  return parseInteger(name.substr(3)).value_or(0);
}

std::optional<std::string> checkRange(const std::optional<int>& value, ValueRange range,
                                      const char* option) {
  if (!value || range.contains(*value)) return std::nullopt;
  return format("%s: %d..%d expected, got %d", option, range.min, range.max, *value);
}

std::optional<std::string> applySerial(const LinkOptions& given, LinkSettings& settings) {
  LinkParams& params = settings.direct;
  if (given.serial) {
    const std::optional<int> port = comNumber(*given.serial);
    if (port && !kComPortRange.contains(*port)) {
      return format("--serial: COM%d..COM%d or a device path expected", kComPortRange.min,
                    kComPortRange.max);
    }
    if (port) {
      params.port = static_cast<std::uint8_t>(*port);
    } else {
      settings.ports[params.port] = *given.serial;
    }
  }
  if (given.baud) {
    if (!baudRateCode(*given.baud)) {
      return format("--baud: one of %d ... %d bit/s of the rate table expected, got %d",
                    kBaudRates.front(), kBaudRates.back(), *given.baud);
    }
    params.speed = *given.baud;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> applyLinkOptions(const LinkOptions& given, LinkSettings& settings) {
  const struct {
    const std::optional<int>& value;
    ValueRange range;
    const char* option;
  } checks[] = {
      {given.address, kAddressRange, "--address"},
      {given.preambles, kPreamblesRange, "--preambles"},
      {given.tries, kTriesRange, "--tries"},
      {given.firstByteS, kFirstByteWaitRange, "--first-byte-s"},
      {given.nextByteMs, kNextByteWaitRange, "--next-byte-ms"},
  };
  for (const auto& check : checks) {
    if (auto refused = checkRange(check.value, check.range, check.option)) return refused;
  }
  const bool tcp = given.tcpHost.has_value();
  settings.general.linkKind = tcp ? kEthernetLink : kDirectLink;
  if (!tcp) {
    if (auto refused = applySerial(given, settings)) return refused;
  }
  LinkParams& params = chosenLinkParams(settings);
  if (given.address) params.address = static_cast<std::uint8_t>(*given.address);
  if (given.preambles) params.preambles = static_cast<std::uint8_t>(*given.preambles);
  if (given.tries) params.tries = static_cast<std::uint8_t>(*given.tries);
  if (given.firstByteS) params.firstByteWaitS = *given.firstByteS;
  if (given.nextByteMs) params.nextByteWaitMs = *given.nextByteMs;
  return std::nullopt;
}

}  // namespace zvc::cli
