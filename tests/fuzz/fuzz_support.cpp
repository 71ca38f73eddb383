#include "fuzz_support.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/archives/short_date_dialog.h"
#include "sim/sim_controller.h"
#include "sim/sim_frame.h"
#include "sim/sim_line.h"

namespace zvc::fuzz {
namespace {

// The simulator's clock stands still at this time: its archives end there.
const DateTime6 kSimulatorStart{26, 3, 15, 12, 34, 56};

constexpr std::size_t kSteps[] = {0, 1, 3, 17};
constexpr int kQuestionsAnsweredYes = 2;

std::unique_ptr<sim::SimController> makeController() {
  return std::make_unique<sim::SimController>(sim::ControllerSetup{}, kSimulatorStart);
}

void setNonBlocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "harness check failed: %s\n", what);
  std::abort();
}

// Made on first use, removed with everything in it when the process ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    const std::filesystem::path memory = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
    path_ = base / ("zvc-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::filesystem::path scratchFolder() {
  static const ScratchFolder folder;
  return folder.path();
}

std::filesystem::path scratchFile(std::string_view name, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path file = scratchFolder() / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return file;
}

const ConfigImage& simulatorImage() {
  static const ConfigImage image = makeController()->image();
  return image;
}

struct FakeLine::Simulator {
  sim::SimLine line{[] {
                      std::vector<std::unique_ptr<sim::SimController>> controllers;
                      controllers.push_back(makeController());
                      return controllers;
                    }(),
                    sim::FaultPlan{}};
  sim::FrameReader reader;
};

FakeLine::FakeLine(kpsbox& engine, std::uint8_t lineByte)
    : engine_(engine), tcp_((lineByte & 1) != 0), step_(kSteps[(lineByte >> 1) & 3]) {
  int ends[2];
  check(socketpair(AF_UNIX, SOCK_STREAM, 0, ends) == 0, "socketpair");
  near_ = ends[0];
  far_ = ends[1];
  setNonBlocking(near_);
  setNonBlocking(far_);
  engine_.openPortPerExchange = false;
  engine_.statusPanel = this;
  if (tcp_) {
    engine_.linkType = kpsbox::kTcp;
    engine_.tcpSocket = near_;
    engine_.tcpSendPauseMs = 0;
  } else {
    // The modem line: the same receive path as a direct line without keying RTS for the
    // frame's time, which a socket has no use for.
    engine_.linkType = kpsbox::kModemLine;
    engine_.portHandle = near_;
  }
}

FakeLine::~FakeLine() {
  engine_.statusPanel = nullptr;
  engine_.portHandle = kNoPort;
  engine_.tcpSocket = -1;
  close(near_);
  close(far_);
}

void FakeLine::serve(std::span<const std::uint8_t> stream) {
  stream_ = stream;
}

void FakeLine::answerFromSimulator() {
  simulator_ = std::make_unique<Simulator>();
}

bool FakeLine::showMessage(int, std::string_view, std::string_view) {
  return ++questions_ <= kQuestionsAnsweredYes;
}

void FakeLine::processEvents() {
  takeRequests();
  if (requested_ && !simulator_) deliver();
}

void FakeLine::takeRequests() {
  std::uint8_t chunk[512];
  for (;;) {
    const ssize_t got = recv(far_, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got <= 0) return;
    requested_ = true;
    if (!simulator_) continue;
    for (const sim::Bytes& frame : simulator_->reader.feed({chunk, std::size_t(got)})) {
      const auto answer =
          simulator_->line.receive(frame, sim::secondsFromDateTime(kSimulatorStart));
      if (!answer) continue;
      answered_.insert(answered_.end(), answer->bytes.begin(), answer->bytes.end());
      (void)!send(far_, answer->bytes.data(), answer->bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    }
  }
}

void FakeLine::deliver() {
  if (!stream_.empty()) {
    const std::size_t count = step_ == 0 ? stream_.size() : std::min(step_, stream_.size());
    const ssize_t sent = send(far_, stream_.data(), count, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent > 0) stream_ = stream_.subspan(std::size_t(sent));
  }
  // Over TCP the controller hangs up once it has nothing more to say, which ends the wait at once.
  if (stream_.empty() && tcp_ && !closed_) {
    shutdown(far_, SHUT_WR);
    closed_ = true;
  }
}

namespace {

void setUpEngine(kpsbox& engine) {
  engine.tries = 1;
  engine.responseTimeoutMs = 1;
  engine.interByteTimeoutMs = 1;
  engine.writePassword.fill(' ');
  engine.writePassword[0] = '1';
  engine.userCode.fill(' ');
  engine.userCode[0] = '1';
}

}  // namespace

void runLineInput(std::span<const std::uint8_t> input, const LineSession& session) {
  if (input.size() < 2) return;
  kpsbox engine{1};
  setUpEngine(engine);
  FakeLine line(engine, input[0]);
  line.serve(input.subspan(2));
  session(engine, line, input[1]);
}

Bytes recordLineInput(std::uint8_t lineByte, std::uint8_t operation, const LineSession& session) {
  kpsbox engine{1};
  setUpEngine(engine);
  // The simulator answers at once, but a whole answer still takes some passes to come through.
  engine.responseTimeoutMs = 200;
  engine.interByteTimeoutMs = 50;
  FakeLine line(engine, lineByte);
  line.answerFromSimulator();
  session(engine, line, operation);
  Bytes input{lineByte, operation};
  input.insert(input.end(), line.answered().begin(), line.answered().end());
  return input;
}

ControllerSession::ControllerSession(kpsbox& engine, FakeLine& line)
    : connection{.engine = &engine}, service(connection, image, settings, line) {
  service.finalPauseMs = 0;
}

MessageArchiveReading simulatorReading(int kind, std::uint32_t count) {
  std::optional<MessageArchiveReading> reading;
  recordLineInput(0, 0, [&](kpsbox& engine, FakeLine& line, std::uint8_t) {
    ControllerSession session(engine, line);
    MessageArchiveReader reader(session.connection, session.service, scratchFolder());
    reader.clock = [] { return kSimulatorStart; };
    const auto bounds = reader.readBounds(kind);
    check(bounds.has_value(), "the simulator's archive bounds");
    reading = reader.readMessagesByIndex(kind, bounds->newest - count + 1, count);
  });
  check(reading.has_value(), "the simulator's archive records");
  return *reading;
}

std::optional<ChromReading> readDeviceArchive(ControllerSession& session, ChromArchive archive,
                                              int run) {
  ChromArchiveReader reader(session.connection, session.service, scratchFolder());
  reader.clock = [] { return kSimulatorStart; };
  const bool moisture = run == 0;
  if (archive == ChromArchive::kMeasurement) {
    if (!reader.readClock()) return std::nullopt;
    const DateTime6 start{26, 3, 15, 11, 0, 0};
    return moisture ? reader.readMoistureMeasurements(start, kSimulatorStart)
                    : reader.readMeasurements(run, start, kSimulatorStart);
  }
  const bool daily = archive == ChromArchive::kDaily;
  const auto range = reader.queryRange(daily);
  if (!range) return std::nullopt;
  const DateTime6 start = daily ? DateTime6{26, 3, 10, 0, 0, 0} : DateTime6{26, 3, 15, 6, 0, 0};
  const DateTime6 end = daily ? DateTime6{26, 3, 14, 0, 0, 0} : DateTime6{26, 3, 15, 11, 0, 0};
  const auto period = checkShortPeriod(daily, start, end, *range);
  if (period.error) return std::nullopt;
  return moisture ? reader.readMoistureHourDay(daily, period.start, period.end)
                  : reader.readHourDay(daily, run, period.start, period.end);
}

ChromReading simulatorDeviceReading(ChromArchive archive, int run) {
  std::optional<ChromReading> reading;
  recordLineInput(0, 0, [&](kpsbox& engine, FakeLine& line, std::uint8_t) {
    ControllerSession session(engine, line);
    reading = readDeviceArchive(session, archive, run);
  });
  check(reading.has_value() && reading->records.count() > 0, "the simulator's device archive");
  return std::move(*reading);
}

std::optional<CheckReading> readCheckArchive(ControllerSession& session, CheckArchive archive) {
  CheckArchiveReader reader(session.connection, session.service, scratchFolder());
  reader.clock = [] { return kSimulatorStart; };
  if (!reader.readClock()) return std::nullopt;
  return reader.read(archive, {26, 2, 13, 0, 0, 0}, kSimulatorStart);
}

CheckReading simulatorCheckReading(CheckArchive archive) {
  std::optional<CheckReading> reading;
  recordLineInput(0, 0, [&](kpsbox& engine, FakeLine& line, std::uint8_t) {
    ControllerSession session(engine, line);
    reading = readCheckArchive(session, archive);
  });
  check(reading.has_value() && reading->records.count() > 0, "the simulator's check archive");
  return std::move(*reading);
}

Bytes writtenBytes(std::string_view name,
                   const std::function<void(const std::filesystem::path&)>& write) {
  const std::filesystem::path file = scratchFolder() / name;
  std::filesystem::remove(file);
  write(file);
  std::ifstream in(file, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), {}};
}

}  // namespace zvc::fuzz
