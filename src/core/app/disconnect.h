#pragma once

#include "core/link/modem.h"

namespace zvc {

class Frontend;
struct ConnectionState;

// Ends the link: closes the TCP socket, or hangs the modem up while a call is up (before the
// port goes, so the line is really dropped); then closes the serial port. Clears
// telephoneConnected and connected. The window hides its call panel and link bars itself.
void disconnectLink(ConnectionState& connection, bool& telephoneConnected, Frontend& frontend,
                    const ModemTimings& timings = {});

}  // namespace zvc
