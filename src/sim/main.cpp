// zvc-sim: a simulated controller on a TCP port and/or a pseudo-terminal.
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "core/app/version.h"
#include "core/common/calendar.h"
#include "sim/sim_line.h"
#include "sim/sim_options.h"
#include "sim/sim_transport.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
  stopRequested = 1;
}

void installStopHandlers() {
  struct sigaction action {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::unique_ptr<zvc::sim::SimController>> makeControllers(
    const zvc::sim::SimOptions& options, const zvc::DateTime6& start) {
  std::vector<std::unique_ptr<zvc::sim::SimController>> controllers;
  const zvc::sim::RunFaults& faults = options.faults.run();
  for (std::size_t i = 0; i < options.addresses.size(); ++i) {
    zvc::sim::ControllerSetup setup;
    setup.address = options.addresses[i];
    if (options.lineRate > 0) setup.lineRate = options.lineRate;
    setup.softwareVersion =
        std::uint8_t(options.softwareVersion.value_or(faults.version14 ? 14 : 15));
    setup.cp866Names = options.cp866Names;
    setup.serialNumber += std::uint32_t(i);
    setup.destroyedTable = faults.destroyedTable;
    setup.archiveSeed = options.seed + std::uint32_t(i);
    setup.archiveFaults = faults.archives;
    setup.settings = options.settings;
    controllers.push_back(std::make_unique<zvc::sim::SimController>(setup, start));
  }
  return controllers;
}

// An empty path opens nothing; false after telling that the file cannot be written.
bool openLog(const std::string& path, std::FILE*& file) {
  if (path.empty()) return true;
  file = std::fopen(path.c_str(), "w");
  if (file == nullptr) std::fprintf(stderr, "zvc-sim: cannot write %s\n", path.c_str());
  return file != nullptr;
}

// Whole lines, each flushed at once: a test reads the file while the simulator runs.
std::function<void(const std::string&)> lineWriter(std::FILE* file) {
  if (file == nullptr) return {};
  return [file](const std::string& line) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fflush(file);
  };
}

}  // namespace

int main(int argc, char** argv) {
  zvc::sim::SimOptions options;
  std::string error;
  if (!zvc::sim::parseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "zvc-sim: %s (see zvc-sim --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(zvc::sim::helpText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("zvc-sim %s\n", zvc::kProgramVersion);
    return 0;
  }

  std::FILE* log = nullptr;
  std::FILE* modemLog = nullptr;
  if (!openLog(options.logPath, log) || !openLog(options.modemLogPath, modemLog)) return 1;
  const zvc::sim::SimLine::LogSink logSink = lineWriter(log);

  // Before the transport lines appear: whoever reads them may stop us at once.
  installStopHandlers();
  const zvc::DateTime6 start = options.startTime.value_or(zvc::localNow());
  zvc::sim::SimLine line(makeControllers(options, start), options.faults, logSink);
  zvc::sim::SimServer server(line, zvc::sim::secondsFromDateTime(start), options.lineRate > 0);
  if (options.pty) {
    const std::string path = server.openPty(error);
    if (path.empty()) {
      std::fprintf(stderr, "zvc-sim: %s\n", error.c_str());
      return 1;
    }
    std::printf("pty %s\n", path.c_str());
  }
  std::optional<zvc::sim::SimModem> modem;
  if (options.modem) {
    server.putModemInFront(modem.emplace(*options.modem));
    modem->logCommandsTo(lineWriter(modemLog));
  }
  if (options.tcpPort) {
    const int port = server.listenTcp(*options.tcpPort, error);
    if (port < 0) {
      std::fprintf(stderr, "zvc-sim: %s\n", error.c_str());
      return 1;
    }
    std::printf("tcp 127.0.0.1:%d\n", port);
  }
  std::fflush(stdout);

  server.run(stopRequested);
  if (log != nullptr) std::fclose(log);
  if (modemLog != nullptr) std::fclose(modemLog);
  return 0;
}
