#pragma once

#include <optional>
#include <string>
#include <variant>

#include "cli/cli_options.h"
#include "core/link/link_settings.h"

namespace zvc::cli {

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
