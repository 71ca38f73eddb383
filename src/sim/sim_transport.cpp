#include "sim/sim_transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zvc::sim {
namespace {

using namespace std::chrono_literals;

// A partial request older than this is line noise; the controller starts hunting again.
constexpr auto kFrameGap = 200ms;
// Longest sleep, so that the stop flag is looked at often.
constexpr auto kMaxPoll = 50ms;

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

void setNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

SimServer::SimServer(SimLine& line, SimSeconds start, bool emulateLineRate)
    : line_(line), start_(start), started_(Clock::now()), emulateLineRate_(emulateLineRate) {}

SimServer::~SimServer() {
  for (const Endpoint& endpoint : endpoints_) close(endpoint.fd);
  if (ptySlave_ >= 0) close(ptySlave_);
}

int SimServer::listenTcp(int port, std::string& error) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = systemError("socket");
    return -1;
  }
  const int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(std::uint16_t(port));
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = systemError("tcp");
    close(fd);
    return -1;
  }
  endpoints_.emplace_back(Kind::kListener, fd);
  return ntohs(address.sin_port);
}

std::string SimServer::openPty(std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    error = systemError("pty");
    if (master >= 0) close(master);
    return {};
  }
  const std::string path = ptsname(master);
  ptySlave_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (ptySlave_ < 0) {
    error = systemError(path.c_str());
    close(master);
    return {};
  }
  // Raw from the start: no echo of answers back to us before a client sets its own mode.
  termios mode{};
  tcgetattr(ptySlave_, &mode);
  cfmakeraw(&mode);
  tcsetattr(ptySlave_, TCSANOW, &mode);
  setNonBlocking(master);
  endpoints_.emplace_back(Kind::kPtyMaster, master);
  watchPtyCloses(path);
  return path;
}

// A client may open the pty exclusively (TIOCEXCL). Since we hold the slave open, that mode
// outlives the client's close and would lock it out of its next open; so we clear it whenever
// somebody closes the slave.
void SimServer::watchPtyCloses(const std::string& path) {
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch >= 0 && inotify_add_watch(watch, path.c_str(), IN_CLOSE) >= 0) {
    endpoints_.emplace_back(Kind::kPtyCloseWatch, watch);
  } else if (watch >= 0) {
    close(watch);
  }
}

void SimServer::releaseExclusiveMode(int watchFd) {
  alignas(inotify_event) char events[4096];
  while (read(watchFd, events, sizeof events) > 0) {
  }
  ioctl(ptySlave_, TIOCNXCL);
}

SimSeconds SimServer::lineClock() const {
  return start_ + std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started_).count();
}

SimServer::Clock::duration SimServer::byteTime(int lineRate) const {
  if (!emulateLineRate_ || lineRate <= 0) return Clock::duration::zero();
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(10.0 / lineRate));
}

void SimServer::run(const volatile std::sig_atomic_t& stop) {
  while (stop == 0) {
    std::vector<pollfd> polled;
    for (const Endpoint& endpoint : endpoints_) polled.push_back({endpoint.fd, POLLIN, 0});
    const auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(pollTimeout());
    if (poll(polled.data(), polled.size(), int(timeout.count())) < 0 && errno != EINTR) break;

    // Accepting adds endpoints; handle only those that were polled.
    for (std::size_t i = 0; i < polled.size(); ++i) {
      if ((polled[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      if (endpoints_[i].kind == Kind::kListener) {
        acceptClient(endpoints_[i].fd);
      } else if (endpoints_[i].kind == Kind::kPtyCloseWatch) {
        releaseExclusiveMode(endpoints_[i].fd);
      } else {
        readFrom(endpoints_[i]);
      }
    }
    runModemClock();
    for (Endpoint& endpoint : endpoints_) writeDue(endpoint);
    forgetStalePartialFrames();
    dropClosedEndpoints();
  }
}

SimServer::Clock::duration SimServer::pollTimeout() const {
  Clock::duration timeout = kMaxPoll;
  const auto now = Clock::now();
  for (const Endpoint& endpoint : endpoints_) {
    if (endpoint.out.empty()) continue;
    timeout = std::min(timeout, std::max(endpoint.out.front().nextAt - now, Clock::duration{}));
  }
  if (const auto modemDue = modem_ ? modem_->nextTick() : std::nullopt) {
    timeout = std::min(timeout, std::max(*modemDue - now, Clock::duration{}));
  }
  // poll() counts whole milliseconds: round a short wait up rather than spin.
  return std::max<Clock::duration>(timeout, 1ms);
}

void SimServer::acceptClient(int listenerFd) {
  const int fd = accept4(listenerFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd >= 0) endpoints_.emplace_back(Kind::kTcpClient, fd);
}

void SimServer::readFrom(Endpoint& endpoint) {
  std::uint8_t buffer[512];
  const ssize_t count = read(endpoint.fd, buffer, sizeof buffer);
  if (count <= 0) {
    const bool temporary = count < 0 && (errno == EAGAIN || errno == EINTR);
    // A pty master reads EIO while no slave is open; we hold one, so that does not last.
    if (!temporary && endpoint.kind == Kind::kTcpClient) endpoint.closed = true;
    return;
  }
  const std::span<const std::uint8_t> received(buffer, std::size_t(count));
  if (modem_ == nullptr || endpoint.kind != Kind::kPtyMaster) {
    passToControllers(endpoint, received);
    return;
  }
  const SimModem::Output out = modem_->receive(received, Clock::now());
  sendAtOnce(endpoint, out.toProgram);
  passToControllers(endpoint, out.toController);
}

void SimServer::passToControllers(Endpoint& endpoint, std::span<const std::uint8_t> bytes) {
  const auto now = Clock::now();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (endpoint.reader.idle()) endpoint.frameStart = now;
    endpoint.lastByte = now;
    for (const Bytes& frame : endpoint.reader.feed(bytes.subspan(i, 1))) {
      if (const auto answer = line_.receive(frame, lineClock())) {
        schedule(endpoint, *answer, frame.size());
      }
    }
  }
}

// The modem's own replies leave at once, whatever the line rate.
void SimServer::sendAtOnce(Endpoint& endpoint, const Bytes& bytes) {
  if (!bytes.empty()) endpoint.out.push_back({bytes, 0, Clock::now(), Clock::duration::zero()});
}

void SimServer::runModemClock() {
  if (modem_ == nullptr) return;
  const SimModem::Output out = modem_->tick(Clock::now());
  for (Endpoint& endpoint : endpoints_) {
    if (endpoint.kind == Kind::kPtyMaster) sendAtOnce(endpoint, out.toProgram);
  }
}

void SimServer::schedule(Endpoint& endpoint, const Answer& answer, std::size_t requestSize) {
  if (answer.bytes.empty()) return;
  const Clock::duration perByte = byteTime(answer.lineRate);
  // The controller has the request once its last byte could have crossed the line.
  Clock::time_point start =
      std::max(Clock::now(), endpoint.frameStart + perByte * std::int64_t(requestSize));
  if (!endpoint.out.empty()) {
    const Outgoing& last = endpoint.out.back();
    start = std::max(start, last.nextAt + last.byteTime * std::int64_t(last.bytes.size()));
  }
  start += std::chrono::milliseconds(answer.delayMs);
  endpoint.out.push_back({answer.bytes, 0, start, perByte});
}

void SimServer::writeDue(Endpoint& endpoint) {
  const auto now = Clock::now();
  while (!endpoint.out.empty() && endpoint.out.front().nextAt <= now) {
    Outgoing& outgoing = endpoint.out.front();
    const bool paced = outgoing.byteTime != Clock::duration::zero();
    const std::size_t count = paced ? 1 : outgoing.bytes.size() - outgoing.sent;
    const ssize_t written =
        endpoint.kind == Kind::kTcpClient
            ? send(endpoint.fd, outgoing.bytes.data() + outgoing.sent, count, MSG_NOSIGNAL)
            : write(endpoint.fd, outgoing.bytes.data() + outgoing.sent, count);
    if (written < 0) {
      if (errno == EAGAIN && endpoint.kind == Kind::kPtyMaster) {
        // Nobody reads the pty: what piled up there would be stale for the next client anyway.
        tcflush(ptySlave_, TCIFLUSH);
      } else if (errno != EAGAIN && errno != EINTR) {
        endpoint.closed = endpoint.kind == Kind::kTcpClient;
        endpoint.out.clear();
      }
      return;
    }
    outgoing.sent += std::size_t(written);
    if (paced) outgoing.nextAt += outgoing.byteTime;
    if (outgoing.sent == outgoing.bytes.size()) endpoint.out.pop_front();
  }
}

void SimServer::forgetStalePartialFrames() {
  const auto now = Clock::now();
  for (Endpoint& endpoint : endpoints_) {
    if (!endpoint.reader.idle() && now - endpoint.lastByte > kFrameGap) endpoint.reader.reset();
  }
}

void SimServer::dropClosedEndpoints() {
  std::erase_if(endpoints_, [](const Endpoint& endpoint) {
    if (endpoint.closed) close(endpoint.fd);
    return endpoint.closed;
  });
}

}  // namespace zvc::sim
