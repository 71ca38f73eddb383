#pragma once

#include <chrono>
#include <csignal>
#include <deque>
#include <string>
#include <vector>

#include "sim/sim_frame.h"
#include "sim/sim_line.h"
#include "sim/sim_modem.h"

namespace zvc::sim {

// Serves a SimLine over a TCP listener on 127.0.0.1 and/or a pseudo-terminal,
// in one poll() loop. With line-rate emulation every byte takes 10 bit times
// at the answering controller's rate: an answer starts only once the request
// could have arrived at that rate, and leaves byte by byte.
class SimServer {
 public:
  SimServer(SimLine& line, SimSeconds start, bool emulateLineRate);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Port 0 takes a free port. Returns the port, or -1 with a message in error.
  int listenTcp(int port, std::string& error);
  // Returns the slave's path ("/dev/pts/N"), or "" with a message in error.
  std::string openPty(std::string& error);
  // The pseudo-terminal reaches the controllers through this modem from now on.
  void putModemInFront(SimModem& modem) { modem_ = &modem; }

  // Serves until stop becomes nonzero.
  void run(const volatile std::sig_atomic_t& stop);

 private:
  using Clock = std::chrono::steady_clock;

  struct Outgoing {
    Bytes bytes;
    std::size_t sent = 0;
    Clock::time_point nextAt;
    Clock::duration byteTime{};  // zero: everything at once
  };

  enum class Kind { kListener, kTcpClient, kPtyMaster, kPtyCloseWatch };

  struct Endpoint {
    Endpoint(Kind kind, int fd) : kind(kind), fd(fd) {}

    Kind kind;
    int fd;
    FrameReader reader;
    Clock::time_point frameStart{};
    Clock::time_point lastByte{};
    std::deque<Outgoing> out;
    bool closed = false;
  };

  SimSeconds lineClock() const;
  Clock::duration byteTime(int lineRate) const;
  Clock::duration pollTimeout() const;
  void acceptClient(int listenerFd);
  void readFrom(Endpoint& endpoint);
  void passToControllers(Endpoint& endpoint, std::span<const std::uint8_t> bytes);
  void runModemClock();
  void sendAtOnce(Endpoint& endpoint, const Bytes& bytes);
  void schedule(Endpoint& endpoint, const Answer& answer, std::size_t requestSize);
  void writeDue(Endpoint& endpoint);
  void watchPtyCloses(const std::string& path);
  void releaseExclusiveMode(int watchFd);
  void forgetStalePartialFrames();
  void dropClosedEndpoints();

  SimLine& line_;
  SimSeconds start_;
  Clock::time_point started_;
  bool emulateLineRate_;
  std::vector<Endpoint> endpoints_;
  int ptySlave_ = -1;  // held open so a client's close never hangs the line up
  SimModem* modem_ = nullptr;
};

}  // namespace zvc::sim
