#pragma once

#include <cstdint>

namespace zvc {

class kpsbox;

// The connection flags of the whole run. The main window owns one and hands it to every operation
// that talks to the controller; status bars are reached through the Frontend.
struct ConnectionState {
  std::int32_t messageKind = 1;  // kind 1..7 of the next message dialog
  // A controller is identified and its working tables are in the image.
  bool connected = false;
  // A version-14 controller is being rewritten as a whole; the connection ends afterwards, so the
  // link keeps its address and speed when the communication table is written.
  bool restoreThenDisconnect = false;
  bool archiveReadInProgress = false;  // Escape may ask for a stop
  bool stopRequested = false;          // Escape was pressed during an archive read
  kpsbox* engine = nullptr;            // the one exchange engine
};

}  // namespace zvc
