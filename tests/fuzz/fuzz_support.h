#pragma once

// Shared by the harnesses: files for the readers that take a path, a fake line for the engine,
// and the simulated controller that makes the seeds of the line harnesses.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "core/archives/calibration_archives.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/archives/message_archive_reader.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/tables/config_image.h"
#include "core/ui/frontend.h"
#include "fuzz_harness.h"

namespace zvc::fuzz {

// Stops the run with a message when a harness's own check fails; libFuzzer saves the input.
void check(bool condition, const char* what);

// The bytes as file `name` of a folder of this process's own (in memory where the system has
// /dev/shm); the same name is overwritten by the next input.
std::filesystem::path scratchFile(std::string_view name, std::span<const std::uint8_t> bytes);
std::filesystem::path scratchFolder();

// The tables of a freshly set-up simulated controller.
const ConfigImage& simulatorImage();
// The newest records of a message archive (kind 0 or 1) as the simulated controller gives them.
MessageArchiveReading simulatorReading(int kind, std::uint32_t count);
// The bytes of a file made by `write` (given the path to write).
Bytes writtenBytes(std::string_view name, const std::function<void(const std::filesystem::path&)>& write);

// A line from the engine to a controller that is not there: a socket pair whose far end this
// object holds. The engine lets the user interface run on every pass of its receive loop, so
// the line is also the engine's Frontend and acts on those passes: it takes the requests and,
// once one has come, delivers the answer stream. It answers "Да" to the first two questions.
//
// The first byte of a line harness's input is the line byte: bit 0 a TCP link (else a serial
// line), bits 1..2 how the answers are split (all at once, 1, 3 or 17 bytes per pass).
class FakeLine : public SilentFrontend {
 public:
  FakeLine(kpsbox& engine, std::uint8_t lineByte);
  ~FakeLine() override;
  FakeLine(const FakeLine&) = delete;
  FakeLine& operator=(const FakeLine&) = delete;

  // The answers to every request, end to end.
  void serve(std::span<const std::uint8_t> stream);
  // A simulated controller answers instead; answered() then holds what it sent.
  void answerFromSimulator();
  const Bytes& answered() const { return answered_; }

  bool showMessage(int kind, std::string_view line1, std::string_view line2) override;
  void processEvents() override;

 private:
  struct Simulator;

  void takeRequests();
  void deliver();

  kpsbox& engine_;
  int near_ = -1;
  int far_ = -1;
  bool tcp_ = false;
  std::size_t step_ = 0;
  std::span<const std::uint8_t> stream_;
  bool requested_ = false;
  bool closed_ = false;
  int questions_ = 0;
  std::unique_ptr<Simulator> simulator_;
  Bytes answered_;
};

// A session over the fake line: the engine is set up (address 1, the simulator's user, short
// waits) and the line is its frontend.
using LineSession = std::function<void(kpsbox& engine, FakeLine& line, std::uint8_t operation)>;

// What a table or archive operation works with: the connection, the simulator's tables as the
// image, default link settings and the table service over the fake line.
struct ControllerSession {
  ControllerSession(kpsbox& engine, FakeLine& line);
  ConnectionState connection;
  ConfigImage image = simulatorImage();
  LinkSettings settings;
  TableService service;
};

// A measurement, hourly or daily archive as the window reads it: the clock or range first, then
// a few hours (measurements, hourly) or days (daily) before the simulator's clock, clipped to
// what the range query allows. `run` is the chromatograph's run 1 or 2, or 0 for the moisture
// meter.
std::optional<ChromReading> readDeviceArchive(ControllerSession& session, ChromArchive archive,
                                              int run);
// The same reading from the simulated controller.
ChromReading simulatorDeviceReading(ChromArchive archive, int run);

// A calibration or verification archive over the month before the simulator's clock.
std::optional<CheckReading> readCheckArchive(ControllerSession& session, CheckArchive archive);
CheckReading simulatorCheckReading(CheckArchive archive);

// Input layout of the line harnesses: line byte, operation byte, answer stream.
void runLineInput(std::span<const std::uint8_t> input, const LineSession& session);
// The input that replays `session` as the simulated controller answered it.
Bytes recordLineInput(std::uint8_t lineByte, std::uint8_t operation, const LineSession& session);

}  // namespace zvc::fuzz
