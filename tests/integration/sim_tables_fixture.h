#pragma once

// A table service over a running zvc-sim on a pseudo-terminal, logged in as the simulator's
// user, with what went on the line read back from the simulator's log.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "sim_process.h"
#include "support/recording_frontend.h"

namespace zvc::test {

using Lines = std::vector<std::string>;

constexpr std::uint8_t kSimCom = 41;

// "F=2 <16 credential bytes> 00 06 00 0C ..." -> "W 6 0 12"; reads "R t f n"; others "F=n".
inline std::string describe(const std::string& logLine) {
  std::istringstream in(logLine);
  std::string function;
  in >> function;
  std::vector<int> payload;
  for (std::string hex; in >> hex;) payload.push_back(std::stoi(hex, nullptr, 16));
  const auto range = [&](char kind, std::size_t at) {
    if (payload.size() < at + 3) return logLine;
    return std::string(1, kind) + " " + std::to_string(payload[at]) + " " +
           std::to_string(payload[at + 1]) + " " + std::to_string(payload[at + 2]);
  };
  if (function == "F=1") return range('R', 1);
  if (function == "F=2") return range('W', 17);
  return function;
}

class SimTablesTest : public ::testing::Test {
 protected:
  void start(std::vector<std::string> options = {}) {
    options.insert(options.end(), {"--pty", "--log", logPath});
    sim = std::make_unique<SimProcess>(options);
    engine.linkType = kpsbox::kDirectLine;
    engine.comPort = kSimCom;
    engine.comPortOverrides[kSimCom] = sim->ptyPath();
    engine.baudRate = 115200;  // the engine keys the line for each frame's time at this rate
    engine.tries = 1;
    engine.responseTimeoutMs = 1000;
    engine.interByteTimeoutMs = 100;
    engine.openPortPerExchange = false;  // one open for the test, as a connected program does
    service.finalPauseMs = 0;            // nobody looks at the progress bar here
    ASSERT_TRUE(engine.OpenPort());
    logIn();
    seen = 0;  // a new simulator starts a new log
    // Table 0 tells, among others, in which code page the names travel.
    ASSERT_TRUE(service.readTableRange({0, 0, 18})) << engine.ErrorText();
    requests();
    frontend = RecordingFrontend{};
  }

  // The simulator's user: password "1", code "1".
  void logIn() {
    engine.writePassword.fill(' ');
    engine.writePassword[0] = '1';
    engine.userCode.fill(' ');
    engine.userCode[0] = '1';
  }

  // The requests since the last call, described.
  Lines requests() {
    std::ifstream file(logPath);
    Lines all;
    for (std::string line; std::getline(file, line);) all.push_back(describe(line));
    Lines fresh(all.begin() + std::min(seen, all.size()), all.end());
    seen = all.size();
    return fresh;
  }

  std::vector<std::uint8_t> copyOf(TableRange range) {
    const auto fields = image.fields(range.table, range.first, range.count);
    return {fields.begin(), fields.end()};
  }

  const std::string logPath =
      ::testing::TempDir() + "zvc_sim_tables_" + std::to_string(getpid()) + "_" +
      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  std::size_t seen = 0;
  std::unique_ptr<SimProcess> sim;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  RecordingFrontend frontend;
  TableService service{connection, image, settings, frontend};
};

}  // namespace zvc::test
