#pragma once

// zvc-cli (or another of the programs) run as a child process with its stdout and stderr
// collected; killed when it runs longer than the limit, so a hanging tool fails its test instead
// of the whole run.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace zvc::test {

struct CliRun {
  int status = -1;  // exit status; -1 when killed
  std::string out;
  std::string err;
  std::chrono::milliseconds took{0};
};

// The program at `path`. stdin holds `input` (far less than a pipe's buffer), then ends. With
// interruptAfter the program gets SIGINT once that much time has passed, as from Ctrl-C.
inline CliRun runProgram(const std::string& path, const std::vector<std::string>& arguments,
                         std::chrono::seconds limit = std::chrono::seconds(60),
                         const std::string& input = {},
                         std::optional<std::chrono::milliseconds> interruptAfter = std::nullopt) {
  int out[2];
  int err[2];
  int in[2];
  if (pipe(out) != 0 || pipe(err) != 0 || pipe(in) != 0) throw std::runtime_error("pipe");
  if (write(in[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    throw std::runtime_error("stdin");
  }
  close(in[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, in[0]);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  for (const int fd : {out[0], out[1], err[0], err[1]})
    posix_spawn_file_actions_addclose(&actions, fd);
  std::vector<std::string> args = {path};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto started = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  close(in[0]);
  if (failed != 0) throw std::runtime_error("cannot start " + path);

  CliRun run;
  pollfd streams[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[2] = {&run.out, &run.err};
  int open = 2;
  bool killed = false;
  while (open > 0) {
    const auto left = limit - (std::chrono::steady_clock::now() - started);
    if (left <= std::chrono::milliseconds(0) && !killed) {
      kill(pid, SIGKILL);
      killed = true;
    }
    if (interruptAfter && std::chrono::steady_clock::now() - started >= *interruptAfter) {
      kill(pid, SIGINT);
      interruptAfter.reset();
    }
    if (poll(streams, 2, 100) <= 0) continue;
    for (int n = 0; n < 2; ++n) {
      if (streams[n].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(streams[n].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[n]->append(buffer, static_cast<std::size_t>(got));
      } else {
        streams[n].fd = -1;
        --open;
      }
    }
  }
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  run.status = !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// zvc-cli, as runProgram runs it.
inline CliRun runCli(const std::vector<std::string>& arguments,
                     std::chrono::seconds limit = std::chrono::seconds(60),
                     const std::string& input = {},
                     std::optional<std::chrono::milliseconds> interruptAfter = std::nullopt) {
  return runProgram(ZVC_CLI_PATH, arguments, limit, input, interruptAfter);
}

}  // namespace zvc::test
