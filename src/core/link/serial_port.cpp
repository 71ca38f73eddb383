#include "core/link/serial_port.h"

// The kernel's own termios (termios2 with arbitrary speeds); <termios.h> cannot be mixed in.
#include <asm/termbits.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace zvc {
namespace {

constexpr int kMinSpeed = 110;
constexpr int kMaxSpeed = 256000;
constexpr int kWriteStallMs = 1000;  // a port that takes no byte for this long has failed

// Path of COM n without allocating: the override's own text or `scratch`.
const char* resolveComPortPath(int n, const PortOverrides& overrides,
                               std::array<char, 32>& scratch) {
  if (auto it = overrides.find(n); it != overrides.end()) return it->second.c_str();
  static constexpr struct {
    int firstCom;
    const char* prefix;
  } kFamilies[] = {{1, "/dev/ttyS"}, {17, "/dev/ttyUSB"}, {33, "/dev/ttyACM"}};
  for (const auto& family : kFamilies) {
    if (n >= family.firstCom && n < family.firstCom + 16) {
      std::snprintf(scratch.data(), scratch.size(), "%s%d", family.prefix, n - family.firstCom);
      return scratch.data();
    }
  }
  return nullptr;
}

bool readLineSettings(PortHandle handle, termios2& settings) {
  return ioctl(handle, TCGETS2, &settings) == 0;
}

bool applyLineSettings(PortHandle handle, const termios2& settings) {
  return ioctl(handle, TCSETS2, &settings) == 0;
}

void setSpeedCode(termios2& settings, tcflag_t code, int speed) {
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));  // the input speed follows the output one
  settings.c_cflag |= code;
  settings.c_ispeed = static_cast<speed_t>(speed);
  settings.c_ospeed = static_cast<speed_t>(speed);
}

// The standard rate nearest to speed, for drivers that refuse arbitrary ones.
void setNearestStandardSpeed(termios2& settings, int speed) {
  static constexpr struct {
    int rate;
    tcflag_t code;
  } kRates[] = {{110, B110},      {134, B134},     {150, B150},       {200, B200},
                {300, B300},      {600, B600},     {1200, B1200},     {1800, B1800},
                {2400, B2400},    {4800, B4800},   {9600, B9600},     {19200, B19200},
                {38400, B38400},  {57600, B57600}, {115200, B115200}, {230400, B230400},
                {460800, B460800}};
  const auto* nearest = &kRates[0];
  for (const auto& r : kRates) {
    if (std::abs(r.rate - speed) < std::abs(nearest->rate - speed)) nearest = &r;
  }
  setSpeedCode(settings, nearest->code, nearest->rate);
}

bool applySpeed(PortHandle handle, termios2& settings, int speed) {
  setSpeedCode(settings, BOTHER, speed);
  if (applyLineSettings(handle, settings)) return true;
  setNearestStandardSpeed(settings, speed);
  return applyLineSettings(handle, settings);
}

void setRawFrame(termios2& settings, int dataBits, int parity, int stopBits) {
  settings.c_iflag &=
      ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
  settings.c_oflag &= ~OPOST;
  settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  settings.c_cflag |= CLOCAL | CREAD;
  // Linux has no 4-bit characters; 5 is the nearest.
  static constexpr tcflag_t kSizes[] = {CS5, CS5, CS6, CS7, CS8};
  settings.c_cflag |= kSizes[std::clamp(dataBits, 4, 8) - 4];
  if (parity == 1) settings.c_cflag |= PARENB;
  if (parity == 2) settings.c_cflag |= PARENB | PARODD;
  // One and a half stop bits has no termios form; two is the nearest that is not shorter.
  if (stopBits == 1 || stopBits == 2) settings.c_cflag |= CSTOPB;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
}

void setControlLine(PortHandle handle, int line, bool on) {
  // A pseudo-terminal has no control lines and refuses; nothing to do about it.
  (void)ioctl(handle, on ? TIOCMBIS : TIOCMBIC, &line);
}

// USB adapters hold input back for their latency timer unless asked not to.
void requestLowLatency(PortHandle handle) {
  serial_struct serial{};
  if (ioctl(handle, TIOCGSERIAL, &serial) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  (void)ioctl(handle, TIOCSSERIAL, &serial);
}

// Exclusive for other programs: TIOCEXCL keeps later opens out, flock the ones that (as root)
// get past it.
bool takeExclusive(PortHandle handle) {
  (void)ioctl(handle, TIOCEXCL);
  return flock(handle, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace

std::string comPortPath(int n, const PortOverrides& overrides) {
  std::array<char, 32> scratch;
  const char* path = resolveComPortPath(n, overrides, scratch);
  return path ? std::string(path) : std::string();
}

int clampComSpeed(int speed) {
  return std::clamp(speed, kMinSpeed, kMaxSpeed);
}

PortHandle OpenComPort(int port, const PortOverrides& overrides, int speed, int dataBits,
                       int parity, int stopBits, int /*inQueue*/, int /*outQueue*/, bool dtrEnable,
                       bool rtsEnable) {
  std::array<char, 32> scratch;
  const char* path = resolveComPortPath(port, overrides, scratch);
  if (!path || !*path) return kNoPort;
  const PortHandle handle = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) return kNoPort;
  termios2 settings{};
  if (!takeExclusive(handle) || !readLineSettings(handle, settings)) {
    CloseComPort(handle);
    return kNoPort;
  }
  setRawFrame(settings, dataBits, parity, stopBits);
  if (!applySpeed(handle, settings, clampComSpeed(speed))) {
    CloseComPort(handle);
    return kNoPort;
  }
  setControlLine(handle, TIOCM_DTR, dtrEnable);
  setControlLine(handle, TIOCM_RTS, rtsEnable);
  requestLowLatency(handle);
  return handle;
}

void CloseComPort(PortHandle handle) {
  if (handle < 0) return;
  // A pseudo-terminal keeps the exclusive flag while its other side stays open.
  (void)ioctl(handle, TIOCNXCL);
  close(handle);
}

bool SetComBaud(PortHandle handle, int speed) {
  termios2 settings{};
  return readLineSettings(handle, settings) && applySpeed(handle, settings, clampComSpeed(speed));
}

bool SetComReadTimeouts(PortHandle handle) {
  termios2 settings{};
  if (!readLineSettings(handle, settings)) return false;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (!applyLineSettings(handle, settings)) return false;
  const int flags = fcntl(handle, F_GETFL);
  return flags >= 0 && fcntl(handle, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool ClearComErrors(PortHandle handle) {
  // Linux reports line errors in the data stream or not at all; there is no latched state to
  // clear, only the descriptor to check.
  return fcntl(handle, F_GETFL) >= 0;
}

bool PurgeComPort(PortHandle handle) {
  return ioctl(handle, TCFLSH, TCIOFLUSH) == 0;
}

void SetComRts(PortHandle handle, bool on) {
  setControlLine(handle, TIOCM_RTS, on);
}

void SetComDtr(PortHandle handle, bool on) {
  setControlLine(handle, TIOCM_DTR, on);
}

bool SetComKernelRs485(PortHandle handle, bool on) {
  serial_rs485 rs485{};
  if (ioctl(handle, TIOCGRS485, &rs485) != 0) return false;
  if (on) {
    rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    rs485.flags &= ~SER_RS485_RTS_AFTER_SEND;
    rs485.delay_rts_before_send = 0;
    rs485.delay_rts_after_send = 0;
  } else {
    rs485.flags &= ~SER_RS485_ENABLED;
  }
  if (ioctl(handle, TIOCSRS485, &rs485) != 0) return false;
  return ComKernelDrivesRts(handle);
}

bool ComKernelDrivesRts(PortHandle handle) {
  serial_rs485 rs485{};
  return ioctl(handle, TIOCGRS485, &rs485) == 0 && (rs485.flags & SER_RS485_ENABLED) != 0 &&
         (rs485.flags & SER_RS485_RTS_ON_SEND) != 0;
}

int ReadComByte(PortHandle handle, unsigned char& byte) {
  const ssize_t got = read(handle, &byte, 1);
  if (got == 1) return 1;
  if (got == 0 || errno == EAGAIN || errno == EINTR) return 0;
  return -1;
}

bool WriteComBytes(PortHandle handle, const unsigned char* bytes, int count) {
  int done = 0;
  while (done < count) {
    const ssize_t written = write(handle, bytes + done, static_cast<size_t>(count - done));
    if (written > 0) {
      done += static_cast<int>(written);
      continue;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd wait{handle, POLLOUT, 0};
    const int ready = poll(&wait, 1, kWriteStallMs);
    if (ready == 0 || (ready < 0 && errno != EINTR)) return false;
  }
  return true;
}

}  // namespace zvc
