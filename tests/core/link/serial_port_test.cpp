#include "core/link/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "support/link_peer.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPtyCom = 3;

TEST(ComPortPath, DefaultsAndOverrides) {
  const PortOverrides overrides = {{3, "/dev/pts/7"}, {100, "/dev/serial/by-id/usb-x"}};
  const struct {
    int com;
    const char* path;
  } cases[] = {
      {0, ""},
      {1, "/dev/ttyS0"},
      {16, "/dev/ttyS15"},
      {17, "/dev/ttyUSB0"},
      {32, "/dev/ttyUSB15"},
      {33, "/dev/ttyACM0"},
      {48, "/dev/ttyACM15"},
      {49, ""},
      {255, ""},
      {3, "/dev/pts/7"},
      {100, "/dev/serial/by-id/usb-x"},
  };
  for (const auto& c : cases) EXPECT_EQ(comPortPath(c.com, overrides), c.path) << c.com;
}

TEST(ComPortSpeed, ClampedTo110Through256000) {
  const struct {
    int asked, got;
  } cases[] = {{-5, 110},        {50, 110},        {110, 110},      {1200, 1200},
               {255999, 255999}, {256000, 256000}, {300000, 256000}};
  for (const auto& c : cases) EXPECT_EQ(clampComSpeed(c.asked), c.got) << c.asked;
}

TEST(ComPortOpen, MissingDeviceOrNoPathFails) {
  EXPECT_EQ(
      OpenComPort(kPtyCom, {{kPtyCom, "/nonexistent/tty"}}, 9600, 8, 0, 0, 1000, 1000, true, false),
      kNoPort);
  EXPECT_EQ(OpenComPort(200, {}, 9600, 8, 0, 0, 1000, 1000, true, false), kNoPort);
}

class ComPortPty : public ::testing::Test {
 protected:
  PortHandle open(int dataBits = 8, int parity = 0, int stopBits = 0) {
    return OpenComPort(kPtyCom, overrides, 9600, dataBits, parity, stopBits, 1000, 1000, true,
                       false);
  }

  test::PseudoTerminal pty;
  PortOverrides overrides{{kPtyCom, pty.slavePath()}};
};

TEST_F(ComPortPty, HeldPortFailsAtOnceAndFreesOnClose) {
  const PortHandle first = open();
  ASSERT_NE(first, kNoPort);
  const auto start = Clock::now();
  EXPECT_EQ(open(), kNoPort);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(200));
  CloseComPort(first);
  const PortHandle again = open();
  EXPECT_NE(again, kNoPort);
  CloseComPort(again);
}

// A pseudo-terminal forces 8 data bits without parity; odd parity and stop bits show.
TEST_F(ComPortPty, LineSettings) {
  const struct {
    int parity, stopBits;
    bool odd, twoStops;
  } cases[] = {
      {0, 0, false, false},
      {1, 2, false, true},
      {2, 1, true, true},    // one and a half stop bits: two
      {5, 7, false, false},  // unknown codes: no parity, one stop bit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parity * 10 + c.stopBits);
    const PortHandle port = open(8, c.parity, c.stopBits);
    ASSERT_NE(port, kNoPort);
    termios settings{};
    ASSERT_EQ(tcgetattr(port, &settings), 0);
    EXPECT_EQ((settings.c_cflag & PARODD) != 0, c.odd);
    EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(settings.c_cflag & CLOCAL, 0u);
    EXPECT_TRUE(SetComBaud(port, 19200));
    EXPECT_TRUE(SetComBaud(port, 12345));
    CloseComPort(port);
  }
}

TEST_F(ComPortPty, BytesBothWaysAndPurge) {
  const PortHandle port = open();
  ASSERT_NE(port, kNoPort);
  ASSERT_TRUE(SetComReadTimeouts(port));
  std::uint8_t byte = 0;
  const auto start = Clock::now();
  EXPECT_EQ(ReadComByte(port, byte), 0);  // idle line: at once, nothing
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));

  const std::uint8_t frame[] = {0xCC, 0x01, 0x0A, 0x00, 0x0D, 0xFF};
  ASSERT_TRUE(WriteComBytes(port, frame, sizeof frame));
  std::uint8_t seen[sizeof frame] = {};
  ASSERT_EQ(read(pty.master(), seen, sizeof seen), static_cast<ssize_t>(sizeof seen));
  EXPECT_EQ(test::Bytes(seen, seen + sizeof seen), test::Bytes(frame, frame + sizeof frame));

  ASSERT_EQ(write(pty.master(), "\x33\x0d", 2), 2);  // raw: no CR translation
  pollfd ready{port, POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 1000), 1);
  EXPECT_EQ(ReadComByte(port, byte), 1);
  EXPECT_EQ(byte, 0x33);
  EXPECT_EQ(ReadComByte(port, byte), 1);
  EXPECT_EQ(byte, 0x0D);

  ASSERT_EQ(write(pty.master(), "\x01\x02", 2), 2);
  ASSERT_EQ(poll(&ready, 1, 1000), 1);
  EXPECT_TRUE(PurgeComPort(port));
  EXPECT_EQ(ReadComByte(port, byte), 0);
  EXPECT_TRUE(ClearComErrors(port));

  // Control lines and the RS-485 mode are missing on a pseudo-terminal: ignored, reported.
  SetComRts(port, true);
  SetComDtr(port, false);
  EXPECT_FALSE(SetComKernelRs485(port, true));
  EXPECT_FALSE(ComKernelDrivesRts(port));
  CloseComPort(port);
}

}  // namespace
}  // namespace zvc
