#include "cli/link_options.h"

#include <algorithm>
#include <cctype>

#include "core/common/baud_rates.h"
#include "core/common/format.h"

namespace zvc::cli {
namespace {

constexpr int kMaxUserCodeDigits = 4;
constexpr int kMaxPasswordChars = 12;
constexpr int kMaxTcpPort = 65535;

// Characters, not bytes: the password field counts what the user typed.
std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void readTcp(const std::string& text, LinkOptions& link) {
  const auto colon = text.rfind(':');
  const std::string_view host = std::string_view(text).substr(0, colon);
  const auto port = colon == std::string::npos
                        ? std::nullopt
                        : digitsNumber<int>(std::string_view(text).substr(colon + 1), kMaxTcpPort);
  if (host.empty() || !port || *port == 0) {
    throw Refusal{"--tcp: HOST:PORT expected, got \"" + text + "\""};
  }
  link.tcpHost = std::string(host);
  link.tcpPort = *port;
}

void readCredentials(const GivenArguments& given, LinkOptions& link) {
  if (const std::string* user = given.single("--user")) {
    if (!allDigits(*user) || user->size() > kMaxUserCodeDigits) {
      throw Refusal{"--user: a code of 1 to 4 digits expected"};
    }
    link.user = *user;
  }
  if (const std::string* password = given.single("--password")) {
    if (!link.user) throw Refusal{"--password needs --user"};
    if (characterCount(*password) > kMaxPasswordChars) {
      throw Refusal{"--password: at most 12 characters"};
    }
    link.password = *password;
  }
  link.passwordFromStdin = given.has("--password-stdin");
  if (link.passwordFromStdin) {
    if (link.password) throw Refusal{"--password and --password-stdin exclude each other"};
    if (!link.user) throw Refusal{"--password-stdin needs --user"};
  }
}

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

void declareLinkOptions(OptionDeclarations& options) {
  options.group(kLinkOptionsGroup);
  options.value("--tcp", "HOST:PORT",
                "a controller on TCP; the stored Ethernet settings (\"ETHERNET_CONN_PAR\")\n"
                "fill what is not given");
  options.value("--serial", "COMn|DEVICE-PATH",
                "the serial line (with --phone: the modem's port); a device path stands\n"
                "for the stored COM number, which the port messages name\n"
                "(\"Коммуникационный порт СОМ1 недоступен / DEVICE-PATH\")");
  options.value("--baud", "N", "the rate of the serial line, bit/s");
  options.value("--phone", "NAME|NUMBER",
                "dial through the modem with the stored telephone settings\n"
                "(\"FON_CONN_PAR\": port, modem command, attempts, waits): a subscriber\n"
                "of the telephone list or a number as given");
  options.value("--subscriber", "NAME", "a subscriber of the telephone or the Ethernet list");
  options.value("--address", "N", "controller address, 255 = whoever answers (default 1)");
  options.value("--preambles", "N", "bytes 0xFF before each request, 0..255");
  options.value("--tries", "N", "tries of an exchange, 1..5");
  options.value("--first-byte-s", "N", "wait for the first byte of an answer, 1..120 s");
  options.value("--next-byte-ms", "N", "wait between the bytes of an answer, 55..5000 ms");
  options.value("--tcp-pause-ms", "N",
                "with --tcp: pause before each request, 0..5000 ms (default 500)");
  options.value("--user", "CODE",
                "the user code of the write credentials; the password is taken from\n"
                "--password, --password-stdin or else the environment variable\n"
                "ZVC_PASSWORD");
  options.value("--password", "TEXT",
                "the write password; other users see it in the process list: prefer\n"
                "--password-stdin or ZVC_PASSWORD");
  options.flag("--password-stdin",
               "the write password is the first line of stdin (users --change reads\n"
               "the new password and code from the lines after it)");
}

LinkOptions readLinkOptions(const GivenArguments& given) {
  LinkOptions link;
  if (const std::string* tcp = given.single("--tcp")) readTcp(*tcp, link);
  if (const std::string* serial = given.single("--serial")) {
    if (link.tcpHost) throw Refusal{"--tcp and --serial exclude each other"};
    if (serial->empty()) throw Refusal{"--serial: COMn or a device path expected"};
    link.serial = *serial;
  }
  if (const std::string* phone = given.single("--phone")) {
    if (link.tcpHost) throw Refusal{"--tcp and --phone exclude each other"};
    if (phone->empty()) throw Refusal{"--phone: a subscriber's name or a number expected"};
    link.phone = *phone;
  }
  if (const std::string* subscriber = given.single("--subscriber")) {
    if (link.tcpHost || link.phone) throw Refusal{"--subscriber excludes --tcp and --phone"};
    if (subscriber->empty()) throw Refusal{"--subscriber: a subscriber's name expected"};
    link.subscriber = *subscriber;
  }
  link.baud = numberOption(given, "--baud");
  if (link.baud && link.tcpHost) throw Refusal{"--baud is for a serial line"};
  link.address = numberOption(given, "--address");
  link.preambles = numberOption(given, "--preambles");
  link.tries = numberOption(given, "--tries");
  link.firstByteS = numberOption(given, "--first-byte-s");
  link.nextByteMs = numberOption(given, "--next-byte-ms");
  link.tcpPauseMs = numberOption(given, "--tcp-pause-ms");
  if (link.tcpPauseMs && !link.tcpHost) throw Refusal{"--tcp-pause-ms is for a TCP link"};
  readCredentials(given, link);
  return link;
}

std::optional<std::string> takePassword(LinkOptions& given, std::istream& in,
                                        const char* environment) {
  if (!given.user || given.password) return std::nullopt;
  std::string source = kPasswordVariable;
  std::string password;
  if (given.passwordFromStdin) {
    source = "--password-stdin";
    if (!std::getline(in, password)) return source + ": no password on stdin";
    if (password.ends_with('\r')) password.pop_back();
  } else if (environment != nullptr) {
    password = environment;
  } else {
    return std::nullopt;
  }
  if (characterCount(password) > kMaxPasswordChars) return source + ": at most 12 characters";
  given.password = std::move(password);
  return std::nullopt;
}

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
