#pragma once

// zvc-sim as a child process for tests: started with the given options, its
// transport lines read from stdout, stopped (SIGTERM) when the object goes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace zvc::test {

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& options) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<std::string> args = {ZVC_SIM_PATH};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, ZVC_SIM_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = out[0];
    if (failed != 0) throw std::runtime_error("cannot start " ZVC_SIM_PATH);
    for (const std::string& option : options) {
      if (option == "--pty") ptyPath_ = valueOf(readLine(), "pty ");
      if (option == "--tcp") tcpPort_ = std::stoi(valueOf(readLine(), "tcp 127.0.0.1:"));
    }
  }

  ~SimProcess() {
    if (pid_ > 0) terminate();
    close(stdout_);
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& ptyPath() const { return ptyPath_; }
  int tcpPort() const { return tcpPort_; }

  // A new TCP connection to the simulator (started with --tcp), or -1.
  int connectTcp() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = htons(static_cast<std::uint16_t>(tcpPort_));
    if (connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
      close(fd);
      return -1;
    }
    return fd;
  }

  // Sends SIGTERM and returns the exit status.
  int terminate() {
    kill(pid_, SIGTERM);
    return waitForExit();
  }

  // The exit status once the simulator has ended; -1 if it was killed by a signal or had to be
  // killed after 5 s.
  int waitForExit() {
    int status = 0;
    for (int waited = 0; waited < 5000; waited += 10) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return -1;
  }

  // The next line on the simulator's stdout, without its line end; "" after 5 s of silence.
  std::string readLine() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd ready{stdout_, POLLIN, 0};
      if (poll(&ready, 1, 100) <= 0) continue;
      char c;
      if (read(stdout_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return line;
  }

 private:
  static std::string valueOf(const std::string& line, const std::string& prefix) {
    if (line.rfind(prefix, 0) != 0) throw std::runtime_error("zvc-sim said: " + line);
    return line.substr(prefix.size());
  }

  pid_t pid_ = 0;
  int stdout_ = -1;
  std::string ptyPath_;
  int tcpPort_ = -1;
};

}  // namespace zvc::test
