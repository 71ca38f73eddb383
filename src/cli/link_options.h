#pragma once

#include <istream>
#include <optional>
#include <string>
#include <variant>

#include "cli/arguments.h"
#include "core/link/link_settings.h"

namespace zvc::cli {

// Given link options; what is not given comes from the stored settings.
struct LinkOptions {
  std::optional<std::string> tcpHost;
  int tcpPort = 0;                    // with tcpHost
  std::optional<std::string> serial;  // "COMn" or a device path
  std::optional<int> baud;
  std::optional<int> address;
  std::optional<int> preambles;
  std::optional<int> tries;
  std::optional<int> firstByteS;
  std::optional<int> nextByteMs;
  std::optional<std::string> phone;       // a telephone subscriber's name, or a number
  std::optional<std::string> subscriber;  // a name of the telephone or the Ethernet list
  std::optional<std::string> user;        // 1..4 digits
  std::optional<int> tcpPauseMs;          // with tcpHost
  std::optional<std::string> password;
  bool passwordFromStdin = false;  // the password is the first line of stdin
  bool operator==(const LinkOptions&) const = default;
};

// The link options, one group shared by every command that talks to a controller.
inline constexpr char kLinkOptionsGroup[] =
    "Link options (default: the stored direct-line settings of \"zvc.ini\" in the working folder)";
void declareLinkOptions(OptionDeclarations& options);
// What was given of them, in the shape the options take.
LinkOptions readLinkOptions(const GivenArguments& given);

// The environment variable that may hold the write password.
inline constexpr char kPasswordVariable[] = "ZVC_PASSWORD";

// With --user and neither --password nor --password-stdin, the password of the environment
// variable (`environment`, null when it is not set); with --password-stdin the first line of
// `in`. The text of the refusal otherwise.
std::optional<std::string> takePassword(LinkOptions& given, std::istream& in,
                                        const char* environment);

// An entry of the telephone or the Ethernet address book: how collect and --phone/--subscriber
// reach a controller.
using Subscriber = std::variant<PhoneSubscriber, EthernetSubscriber>;

// --phone NAME|NUMBER or --subscriber NAME looked up in the stored address books: `found` is the
// subscriber (a number not in the list dials with the stored telephone address), nothing without
// those options. The text of the refusal when there is no such subscriber.
std::optional<std::string> findSubscriber(const LinkOptions& given, const LinkSettings& settings,
                                          std::optional<Subscriber>& found);

// The given link options over the stored settings, with the limits of the link-parameter dialog:
// --tcp or an Ethernet subscriber makes it the Ethernet link, a telephone subscriber the modem
// link (its address taken unless --address is given), anything else the direct line. A device
// path for --serial becomes the path of the stored COM number of the direct line or the modem.
// The text of the first value refused otherwise.
std::optional<std::string> applyLinkOptions(const LinkOptions& given, LinkSettings& settings,
                                            const std::optional<Subscriber>& subscriber = {});

// The subscriber's name and its controller address.
const std::string& nameOf(const Subscriber& subscriber);
std::uint8_t addressOf(const Subscriber& subscriber);

}  // namespace zvc::cli
