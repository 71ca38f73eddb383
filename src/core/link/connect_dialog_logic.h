#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/link/link_settings.h"

namespace zvc {

class Frontend;
class kpsbox;

// What the connection dialog holds when "Связаться" is pressed.
struct ConnectChoice {
  std::optional<std::uint8_t> linkKind;
  std::string addressText;
  bool subscriberChosen = false;  // an existing subscriber, not "Новый абонент"
};

// "Связаться": checks the choice, keeps it in the settings and saves them, then connects the
// TCP socket (Ethernet) or configures the engine and opens its port. True when connected; false
// after a message, the dialog then stays open.
bool connectChosenLink(kpsbox& engine, LinkSettingsStore& store, const ConnectChoice& choice,
                       Frontend& frontend);

// The engine's serial port opened for the link, unless the engine opens it around every command
// itself; the line then settles for 300 ms. False after telling the user the port is unavailable.
bool openEnginePort(kpsbox& engine, Frontend& frontend);

// "Поиск адреса устройства": asks address 255 on the direct line for table 0 field 0. The
// controller that answers gives the direct address, reported to the user; false when the port
// or the controller could not be reached. The port is closed again either way.
bool searchDeviceAddress(kpsbox& engine, LinkSettings& settings, Frontend& frontend);

}  // namespace zvc
