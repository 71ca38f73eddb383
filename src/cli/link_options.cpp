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
  LinkParams& params = chosenLinkParams(settings);
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

// A number as a modem dials it: digits and what people write between them.
bool looksLikePhoneNumber(std::string_view text) {
  bool digit = false;
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (std::string_view(" +-()#*,wWpP").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return digit;
}

template <typename Entry>
const Entry* entryNamed(const SubscriberList<Entry>& list, std::string_view name) {
  for (int i = 0; i < list.count; ++i) {
    if (list.entries[i].name == name) return &list.entries[i];
  }
  return nullptr;
}

std::optional<std::string> findByPhone(const std::string& phone, const LinkSettings& settings,
                                       std::optional<Subscriber>& found) {
  if (const PhoneSubscriber* entry = entryNamed(settings.phone.subscribers, phone)) {
    found = *entry;
  } else if (looksLikePhoneNumber(phone)) {
    found = PhoneSubscriber{"", settings.phone.params.address, 0, phone};
  } else {
    return "--phone: \"" + phone + "\" is neither a telephone subscriber nor a number";
  }
  return std::nullopt;
}

std::optional<std::string> findByName(const std::string& name, const LinkSettings& settings,
                                      std::optional<Subscriber>& found) {
  const PhoneSubscriber* phone = entryNamed(settings.phone.subscribers, name);
  const EthernetSubscriber* ethernet = entryNamed(settings.ethernet.subscribers, name);
  if (phone != nullptr && ethernet != nullptr) {
    return "--subscriber: \"" + name + "\" is in both lists; use --phone or --tcp";
  }
  if (phone != nullptr) {
    found = *phone;
  } else if (ethernet != nullptr) {
    found = *ethernet;
  } else {
    return "--subscriber: no subscriber \"" + name + "\" in the telephone or Ethernet list";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> findSubscriber(const LinkOptions& given, const LinkSettings& settings,
                                          std::optional<Subscriber>& found) {
  if (given.phone) return findByPhone(*given.phone, settings, found);
  if (given.subscriber) return findByName(*given.subscriber, settings, found);
  return std::nullopt;
}

const std::string& nameOf(const Subscriber& subscriber) {
  return std::visit([](const auto& entry) -> const std::string& { return entry.name; }, subscriber);
}

std::uint8_t addressOf(const Subscriber& subscriber) {
  return std::visit([](const auto& entry) { return entry.address; }, subscriber);
}

std::optional<std::string> applyLinkOptions(const LinkOptions& given, LinkSettings& settings,
                                            const std::optional<Subscriber>& subscriber) {
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
      {given.tcpPauseMs, kTcpRequestPauseRange, "--tcp-pause-ms"},
  };
  for (const auto& check : checks) {
    if (auto refused = checkRange(check.value, check.range, check.option)) return refused;
  }
  const bool phone = subscriber && std::holds_alternative<PhoneSubscriber>(*subscriber);
  const bool tcp = given.tcpHost.has_value() || (subscriber && !phone);
  settings.general.linkKind = tcp ? kEthernetLink : phone ? kPhoneLink : kDirectLink;
  if (!tcp) {
    if (auto refused = applySerial(given, settings)) return refused;
  }
  LinkParams& params = chosenLinkParams(settings);
  if (subscriber) params.address = addressOf(*subscriber);
  if (given.address) params.address = static_cast<std::uint8_t>(*given.address);
  if (given.preambles) params.preambles = static_cast<std::uint8_t>(*given.preambles);
  if (given.tries) params.tries = static_cast<std::uint8_t>(*given.tries);
  if (given.firstByteS) params.firstByteWaitS = *given.firstByteS;
  if (given.nextByteMs) params.nextByteWaitMs = *given.nextByteMs;
  if (given.tcpPauseMs) settings.ethernet.requestPauseMs = *given.tcpPauseMs;
  return std::nullopt;
}

}  // namespace zvc::cli
