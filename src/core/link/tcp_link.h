#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/link_settings.h"

namespace zvc {

class Frontend;
class kpsbox;

// The IPv4 socket address of a dotted address and a decimal port, both in network byte order.
// Only the strict form of four numbers 0..255 is an address, so "255.255.255.255" is the
// broadcast address and not a failure; anything else, or a port outside 0..65535, is nullopt.
std::optional<sockaddr_in> ResolveAddress(std::string_view addressText, std::string_view portText);

// The subscriber's address as "%d.%d.%d.%d", first part first.
std::string subscriberAddressText(const EthernetSubscriber& subscriber);

// "Связаться" for the Ethernet link: stores chosenAddress as the Ethernet "Adr", connects the
// engine's socket to the subscriber (nullptr: none or "Новый абонент" chosen), trying until the
// connect wait of the settings has passed, lets the line settle for a second and sets the engine
// up for the TCP link. False after a message to the user, the engine's socket then closed.
bool TcpConnect(kpsbox& engine, EthernetLinkSettings& settings, std::uint8_t chosenAddress,
                const EthernetSubscriber* subscriber, Frontend& frontend);

}  // namespace zvc
