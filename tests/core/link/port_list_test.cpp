#include "core/link/port_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace zvc {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::writeBytes;

constexpr const char* kFtdi = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
constexpr const char* kProlific = "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";

// A /dev as udev leaves it with a built-in port, two USB adapters and one USB modem.
class PortListTest : public ::testing::Test {
 protected:
  PortListTest() {
    for (const char* device : {"ttyS0", "ttyUSB0", "ttyUSB1", "ttyACM0"}) {
      writeBytes(dev / device, "");
    }
    fs::create_directories(dev / "serial/by-id");
    fs::create_symlink("../../ttyUSB0", dev / "serial/by-id" / kFtdi);
    fs::create_symlink("../../ttyUSB1", dev / "serial/by-id" / kProlific);
  }

  TempFolder root;
  fs::path dev = root.path();
};

TEST_F(PortListTest, ShowsDeviceAndStableNameOfEachPort) {
  const std::string prolificLink = std::string("/dev/serial/by-id/") + kProlific;
  const PortOverrides overrides{{3, prolificLink}, {250, "/dev/pts/9"}};
  const std::vector<SerialPortEntry> expected = {
      {1, "/dev/ttyS0", "", true},
      // A by-id path of "PORTS" shows the device behind it.
      {3, "/dev/ttyUSB1", kProlific, true},
      {17, "/dev/ttyUSB0", kFtdi, true},
      {18, "/dev/ttyUSB1", kProlific, true},
      // The stored choice and the hand-made entries stay in the list when absent.
      {20, "/dev/ttyUSB3", "", false},
      {33, "/dev/ttyACM0", "", true},
      {250, "/dev/pts/9", "", false},
  };
  EXPECT_EQ(serialPortList(overrides, {20}, dev), expected);
}

TEST_F(PortListTest, WithoutByIdFolderPortsHaveNoStableName) {
  fs::remove_all(dev / "serial");
  const std::vector<SerialPortEntry> list = serialPortList({}, {}, dev);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[1], (SerialPortEntry{17, "/dev/ttyUSB0", "", true}));
}

TEST_F(PortListTest, OverridesOutsideDevAreTakenAsTheyAre) {
  const fs::path pty = root.file("sim-pty");
  writeBytes(pty, "");
  const std::vector<SerialPortEntry> list = serialPortList({{40, pty.string()}}, {}, dev);
  EXPECT_EQ(list.back(), (SerialPortEntry{40, pty.string(), "", true}));
}

TEST(SerialPortText, NamesThePortItsDeviceAndWhatIsMissing) {
  const struct {
    SerialPortEntry entry;
    const char* text;
  } cases[] = {
      {{17, "/dev/ttyUSB0", kFtdi, true},
       "COM17  /dev/ttyUSB0  usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"},
      {{1, "/dev/ttyS0", "", true}, "COM1  /dev/ttyS0"},
      {{20, "/dev/ttyUSB3", "", false}, "COM20  /dev/ttyUSB3  (нет устройства)"},
  };
  for (const auto& c : cases) EXPECT_EQ(serialPortText(c.entry), c.text);
}

}  // namespace
}  // namespace zvc
