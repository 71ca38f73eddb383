#pragma once

#include <map>
#include <string>

namespace zvc {

// An open serial port: a file descriptor, or kNoPort.
using PortHandle = int;
inline constexpr PortHandle kNoPort = -1;

// COM number -> device path, from the "PORTS" section of "zvc.ini" (key "COMn").
using PortOverrides = std::map<int, std::string>;

// Device path of COM n: the override when there is one, otherwise COM1..16 -> /dev/ttyS0..15,
// COM17..32 -> /dev/ttyUSB0..15, COM33..48 -> /dev/ttyACM0..15; "" when the port has no path.
std::string comPortPath(int n, const PortOverrides& overrides);

// Speeds outside 110..256000 bit/s are brought to the nearest end.
int clampComSpeed(int speed);

// Opens COM port exclusively (another program holding it makes this fail at once), raw mode,
// non-blocking. Parity: 0 none, 1 even, 2 odd, other none. Stop bits: 0 one, 1 one and a half,
// 2 two, other one. The queue sizes are the kernel's own on Linux and only kept for the callers.
PortHandle OpenComPort(int port, const PortOverrides& overrides, int speed, int dataBits,
                       int parity, int stopBits, int inQueue, int outQueue, bool dtrEnable,
                       bool rtsEnable);
void CloseComPort(PortHandle handle);

// The exact speed where the driver takes any rate, otherwise the nearest standard one.
bool SetComBaud(PortHandle handle, int speed);
// Reads return at once with whatever is already received, possibly nothing.
bool SetComReadTimeouts(PortHandle handle);
bool ClearComErrors(PortHandle handle);
// Discards both the transmit and the receive queue.
bool PurgeComPort(PortHandle handle);

// Control lines by hand; a port without them (a pseudo-terminal) ignores this.
void SetComRts(PortHandle handle, bool on);
void SetComDtr(PortHandle handle, bool on);

// Switches the kernel's RS-485 mode (driver enabled by RTS exactly while sending). Returns true
// when the kernel now drives RTS around every frame; false when the port has no such mode.
bool SetComKernelRs485(PortHandle handle, bool on);
bool ComKernelDrivesRts(PortHandle handle);

// Reads at most one byte without waiting: 1 = a byte, 0 = none, -1 = error.
int ReadComByte(PortHandle handle, unsigned char& byte);
// Writes all count bytes, waiting for room as needed; false on a failure.
bool WriteComBytes(PortHandle handle, const unsigned char* bytes, int count);

}  // namespace zvc
