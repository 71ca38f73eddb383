#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/link/serial_port.h"

namespace zvc {

// One line of the serial-port list: the COM number the settings keep, the device it maps to,
// and udev's stable name of that device under /dev/serial/by-id, so that a USB adapter can be
// told by its maker and serial number.
struct SerialPortEntry {
  int port = 0;           // COM number
  std::string device;     // "/dev/ttyUSB0"
  std::string stableName; // "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", or ""
  bool present = false;
  bool operator==(const SerialPortEntry&) const = default;
};

// The ports worth offering: every COM number 1..255 whose device exists (PortExists), and those
// of `alsoShown` (the stored choice) and of the "PORTS" section even when their device is absent.
// Device paths under "/dev/" are looked up below `devRoot`, so a test can lay out its own tree.
std::vector<SerialPortEntry> serialPortList(const PortOverrides& overrides,
                                            const std::vector<int>& alsoShown,
                                            const std::filesystem::path& devRoot = "/dev");

// "COM17  /dev/ttyUSB0  usb-FTDI_…", absent ports with "(нет устройства)".
std::string serialPortText(const SerialPortEntry& entry);

}  // namespace zvc
