#include "core/app/disconnect.h"

#include <unistd.h>

#include "core/link/kpsbox.h"
#include "core/ui/connection_state.h"

namespace zvc {

void disconnectLink(ConnectionState& connection, bool& telephoneConnected, Frontend& frontend,
                    const ModemTimings& timings) {
  kpsbox& engine = *connection.engine;
  if (engine.tcpSocket >= 0) {
    ::close(engine.tcpSocket);
    engine.tcpSocket = -1;
  } else if (telephoneConnected) {
    if (engine.portHandle != kNoPort) {
      HangUpModem({.port = engine.portHandle, .frontend = frontend, .timings = timings});
    }
    telephoneConnected = false;
  }
  engine.ClosePort();
  connection.connected = false;
}

}  // namespace zvc
