#pragma once

// The far end of a link for tests: a pseudo-terminal pair or a loopback TCP pair, and a
// scripted controller that reads request frames on it and answers byte by byte from a thread.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/common/crc16.h"

namespace zvc::test {

using Bytes = std::vector<std::uint8_t>;

// A response frame 0x33, address, L, function, payload, checksum.
inline Bytes responseFrame(std::uint8_t address, std::uint8_t function, const Bytes& payload) {
  Bytes frame{0x33, address, static_cast<std::uint8_t>(payload.size() + 6), function};
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.resize(frame.size() + 2);
  appendCrc16(frame.data(), frame.size() - 2);
  return frame;
}

// The test holds the master side; the code under test opens slavePath().
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slavePath_ = ptsname(master_);
  }
  ~PseudoTerminal() { close(master_); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  std::string slavePath_;
};

// A connected pair on 127.0.0.1: client() for the code under test, server() for the test.
class LoopbackTcp {
 public:
  LoopbackTcp() {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof where;
    if (bind(listener, reinterpret_cast<sockaddr*>(&where), size) != 0 ||
        listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&where), &size) != 0) {
      throw std::runtime_error("no loopback socket");
    }
    client_ = socket(AF_INET, SOCK_STREAM, 0);
    if (connect(client_, reinterpret_cast<sockaddr*>(&where), size) != 0) {
      throw std::runtime_error("no loopback connection");
    }
    server_ = accept(listener, nullptr, nullptr);
    close(listener);
  }
  ~LoopbackTcp() {
    close(client_);
    if (server_ >= 0) close(server_);
  }
  LoopbackTcp(const LoopbackTcp&) = delete;
  LoopbackTcp& operator=(const LoopbackTcp&) = delete;

  int client() const { return client_; }
  int server() const { return server_; }

 private:
  int client_ = -1;
  int server_ = -1;
};

// Answers the n-th request frame with the n-th reply; silent once the replies run out.
class ScriptedController {
 public:
  struct Reply {
    Bytes bytes;
    int gapMs = 0;        // pause between bytes; 0 writes them at once
    bool hangUp = false;  // shut the connection instead of answering
  };
  struct Request {
    Bytes wire;  // preambles and frame as they arrived
    std::chrono::steady_clock::time_point arrived;
  };

  ScriptedController(int fd, std::vector<Reply> replies)
      : fd_(fd), replies_(std::move(replies)), thread_([this] { run(); }) {}
  ~ScriptedController() { finish(); }

  // Stops the thread; the requests seen so far stay readable.
  void finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::vector<Request> requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void run() {
    Bytes wire;
    while (!stop_) {
      pollfd descriptor{fd_, POLLIN, 0};
      if (poll(&descriptor, 1, 5) <= 0) continue;
      std::uint8_t chunk[512];
      const ssize_t got = (descriptor.revents & POLLIN) ? read(fd_, chunk, sizeof chunk) : -1;
      if (got <= 0) {  // the other side is closed between two opens
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      wire.insert(wire.end(), chunk, chunk + got);
      if (!frameComplete(wire)) continue;
      std::size_t index;
      {
        std::lock_guard lock(mutex_);
        requests_.push_back({wire, std::chrono::steady_clock::now()});
        index = requests_.size() - 1;
      }
      wire.clear();
      if (index < replies_.size()) answer(replies_[index]);
    }
  }

  static bool frameComplete(const Bytes& wire) {
    std::size_t start = 0;
    while (start < wire.size() && wire[start] == 0xFF) ++start;
    return start + 3 <= wire.size() && wire[start] == 0xCC &&
           wire.size() >= start + wire[start + 2];
  }

  void answer(const Reply& reply) {
    if (reply.hangUp) {
      shutdown(fd_, SHUT_RDWR);
      return;
    }
    if (reply.gapMs == 0) {
      if (!reply.bytes.empty()) (void)!write(fd_, reply.bytes.data(), reply.bytes.size());
      return;
    }
    for (std::size_t i = 0; i < reply.bytes.size() && !stop_; ++i) {
      if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.gapMs));
      (void)!write(fd_, &reply.bytes[i], 1);
    }
  }

  int fd_;
  std::vector<Reply> replies_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<Request> requests_;
  std::thread thread_;
};

}  // namespace zvc::test
