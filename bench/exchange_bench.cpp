// Exchange benchmark: reads table 1 (20 fields of 64 bytes, 7 function-1 requests) again and
// again through the engine against zvc-sim and prints requests per second, the ratio of the
// measured time to the pure line time and the client's CPU time as a share of wall time.
//   (a) serial: the simulator's pseudo-terminal, its line emulation at 38400 bit/s, engine at
//       38400 bit/s on a direct line, port opened once; plus a reference run of a bare client
//       against the same simulator, to tell the simulator's share of the time from the engine's;
//   (b) TCP on 127.0.0.1 without line emulation; the engine pauses 500 ms before every send,
//       so this part runs few reads.
//
// Not a ctest test. Build and run:
//   cmake --build build --target zvc_bench_exchange
//   build/bench/zvc_bench_exchange [--serial-reads N] [--reference-reads N] [--tcp-reads N]
//                                  [--preambles N]
// Defaults: 200 serial reads, 20 reference reads, 5 TCP reads, 5 preambles (the link
// settings' default). A count of 0 skips that part. Exit status 1 when an exchange fails.
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/crc16.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/link/serial_port.h"
#include "core/link/tcp_link.h"
#include "core/tables/table_catalogue.h"
#include "core/ui/frontend.h"
#include "sim_process.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr int kLineRate = 38400;
constexpr double kBitsPerByte = 10;
constexpr std::uint8_t kTable = 1;
constexpr int kMaxReadBytes = 245;  // data bytes of one read answer
constexpr std::uint8_t kSimCom = 40;
constexpr std::uint8_t kAddress = 1;
constexpr int kPayload = 4;               // payload byte k is frame byte 4 + k
constexpr int kRangeEcho = kPayload + 1;  // the answer echoes the range here
constexpr int kAnswerData = kPayload + 4;
constexpr int kQueueSize = 1000;
constexpr int kAnswerWaitMs = 2000;
constexpr double kTcpSendPause = 0.5;
constexpr double kLineTimeGoal = 1.3;
constexpr double kCpuShareGoal = 0.05;

struct Options {
  int serialReads = 200;
  int referenceReads = 20;
  int tcpReads = 5;
  int preambles = LinkParams{}.preambles;
};

struct Range {
  std::uint8_t bytes[3];  // table, first field, field count
};

struct Figures {
  int requests = 0;
  long wireBytes = 0;  // both directions, preambles included
  double wallSeconds = 0;
  double cpuSeconds = 0;
  double slowestRequest = 0;

  double requestsPerSecond() const { return requests / wallSeconds; }
  double secondsPerRequest() const { return wallSeconds / requests; }
  double lineSeconds() const { return wireBytes * kBitsPerByte / kLineRate; }
  double lineTimeRatio() const { return wallSeconds / lineSeconds(); }
  double cpuShare() const { return cpuSeconds / wallSeconds; }
};

double cpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double secondsSince(Clock::time_point start) {
  return Seconds(Clock::now() - start).count();
}

const char* verdict(bool met) {
  return met ? "met" : "MISSED";
}

// Table 1 in ranges of as many whole fields as one answer carries.
std::vector<Range> tableRanges() {
  const TableDescriptor& table = TableCatalogue::table(kTable);
  const int perRequest = std::min<int>(table.fieldCount, kMaxReadBytes / table.fieldSize);
  std::vector<Range> ranges;
  for (int first = 0; first < table.fieldCount; first += perRequest) {
    const int count = std::min(perRequest, table.fieldCount - first);
    ranges.push_back({{kTable, std::uint8_t(first), std::uint8_t(count)}});
  }
  return ranges;
}

bool readRange(kpsbox& engine, const Range& range) {
  return engine.Command(kpsbox::kReadTable, range.bytes, 3, 0) &&
         std::equal(range.bytes, range.bytes + 3, engine.response.begin() + kRangeEcho);
}

void reportFailure(kpsbox& engine, const Range& range) {
  const std::string_view line = engine.ErrorText();
  std::fprintf(stderr, "zvc_bench_exchange: table %d fields %d+%d: %.*s\n", range.bytes[0],
               range.bytes[1], range.bytes[2], int(line.size()), line.data());
}

// The 0xFF bytes the controller puts before its answers (table 3 field 2); -1 on a failure.
int answerPreambles(kpsbox& engine) {
  const Range preambleField{{3, 2, 1}};
  if (!readRange(engine, preambleField)) {
    reportFailure(engine, preambleField);
    return -1;
  }
  return engine.response[kAnswerData];
}

// Reads the table `reads` times; false at the first failed request.
bool readTableRepeatedly(kpsbox& engine, int reads, int preamblesIn, Figures& figures) {
  const std::vector<Range> ranges = tableRanges();
  const double cpuBefore = cpuSeconds(RUSAGE_SELF);
  const auto start = Clock::now();
  for (int read = 0; read < reads; ++read) {
    for (const Range& range : ranges) {
      const auto sent = Clock::now();
      if (!readRange(engine, range)) {
        reportFailure(engine, range);
        return false;
      }
      figures.slowestRequest = std::max(figures.slowestRequest, secondsSince(sent));
      figures.wireBytes +=
          engine.preambleCount + engine.request[2] + preamblesIn + engine.response[2];
      ++figures.requests;
    }
  }
  figures.wallSeconds = secondsSince(start);
  figures.cpuSeconds = cpuSeconds(RUSAGE_SELF) - cpuBefore;
  return true;
}

// The engine as the program sets it up from the default link settings of a link kind.
void configureLink(kpsbox& engine, std::uint8_t linkKind, const Options& options,
                   const std::string& ptyPath = {}) {
  LinkSettings settings;
  settings.general.linkKind = linkKind;
  settings.direct.port = kSimCom;
  settings.direct.speed = kLineRate;
  settings.direct.preambles = std::uint8_t(options.preambles);
  settings.ethernet.params.preambles = std::uint8_t(options.preambles);
  settings.general.closePortAfterEachCommand = false;
  settings.ports[kSimCom] = ptyPath;
  configureEngine(engine, settings);
}

std::vector<std::string> serialSimulatorOptions() {
  return {"--pty", "--line-rate", std::to_string(kLineRate)};
}

void printSerialFigures(const Figures& figures, double simulatorCpu, double simulatorWall) {
  std::printf("  %d requests in %.2f s: %.1f requests/s, %.2f ms per request (slowest %.2f ms)\n",
              figures.requests, figures.wallSeconds, figures.requestsPerSecond(),
              figures.secondsPerRequest() * 1e3, figures.slowestRequest * 1e3);
  std::printf(
      "  on the wire %.1f bytes per request, pure line time %.2f s: ratio %.3f (goal <= "
      "%.1f, %s)\n",
      double(figures.wireBytes) / figures.requests, figures.lineSeconds(), figures.lineTimeRatio(),
      kLineTimeGoal, verdict(figures.lineTimeRatio() <= kLineTimeGoal));
  std::printf("  client CPU %.3f s = %.2f %% of wall time (goal <= %.0f %%, %s)\n",
              figures.cpuSeconds, figures.cpuShare() * 100, kCpuShareGoal * 100,
              verdict(figures.cpuShare() <= kCpuShareGoal));
  std::printf("  simulator CPU %.3f s = %.2f %% of its %.2f s (start-up included)\n", simulatorCpu,
              simulatorCpu / simulatorWall * 100, simulatorWall);
}

// (a): the engine on the simulator's pseudo-terminal. figures: the engine's run.
bool benchSerial(const Options& options, Figures& figures) {
  std::printf(
      "(a) serial: zvc-sim pseudo-terminal, line emulation %d bit/s; engine from the default "
      "link settings: %d bit/s, direct line, port opened once, preambleCount %d; %d reads of "
      "table 1\n",
      kLineRate, kLineRate, options.preambles, options.serialReads);
  const double simulatorCpuBefore = cpuSeconds(RUSAGE_CHILDREN);
  const auto simulatorStart = Clock::now();
  test::SimProcess sim(serialSimulatorOptions());
  kpsbox engine{kAddress};
  SilentFrontend frontend;  // the program's engine lets its user interface run while it waits
  engine.statusPanel = &frontend;
  configureLink(engine, kDirectLink, options, sim.ptyPath());
  if (!engine.OpenPort()) {
    std::fprintf(stderr, "zvc_bench_exchange: cannot open %s\n", sim.ptyPath().c_str());
    return false;
  }
  const int preamblesIn = answerPreambles(engine);
  const bool done =
      preamblesIn >= 0 && readTableRepeatedly(engine, options.serialReads, preamblesIn, figures);
  engine.ClosePort();
  sim.terminate();
  if (done) {
    printSerialFigures(figures, cpuSeconds(RUSAGE_CHILDREN) - simulatorCpuBefore,
                       secondsSince(simulatorStart));
  }
  return done;
}

// A function-1 request frame with its preambles, as the engine sends it.
std::vector<std::uint8_t> readRequestFrame(const Range& range, int preambles) {
  std::vector<std::uint8_t> wire(std::size_t(preambles), 0xFF);
  std::uint8_t frame[10] = {
      kpsbox::kRequestStart, kAddress,      10, kpsbox::kReadTable, 0, range.bytes[0],
      range.bytes[1],        range.bytes[2]};
  appendCrc16(frame, 8);
  wire.insert(wire.end(), frame, frame + 10);
  return wire;
}

// Waits in poll() for a whole answer frame; returns the bytes taken off the line (stray bytes
// and preambles included), or -1 when the answer does not come.
int receiveAnswer(PortHandle port) {
  std::uint8_t frame[256] = {};
  int q = 0;
  int taken = 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAnswerWaitMs);
  while (q < 3 || q < frame[2]) {
    pollfd ready{port, POLLIN, 0};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || poll(&ready, 1, int(left.count())) < 0) return -1;
    unsigned char byte = 0;
    while ((q < 3 || q < frame[2]) && ReadComByte(port, byte) == 1) {
      ++taken;
      if (q > 0 || byte == kpsbox::kResponseStart) frame[q++] = byte;
    }
  }
  return taken;
}

// The simulator alone: a bare client writes each request at once and blocks in poll() until the
// answer is complete, so the time is the simulator's line emulation with no engine around it.
bool benchSimulatorAlone(const Options& options, Figures& figures) {
  test::SimProcess sim(serialSimulatorOptions());
  const PortOverrides path{{kSimCom, sim.ptyPath()}};
  const PortHandle port =
      OpenComPort(kSimCom, path, kLineRate, 8, 0, 0, kQueueSize, kQueueSize, false, false);
  if (port == kNoPort) {
    std::fprintf(stderr, "zvc_bench_exchange: cannot open %s\n", sim.ptyPath().c_str());
    return false;
  }
  const std::vector<Range> ranges = tableRanges();
  bool done = true;
  const auto start = Clock::now();
  for (int read = 0; done && read < options.referenceReads; ++read) {
    for (const Range& range : ranges) {
      const auto sent = Clock::now();
      const std::vector<std::uint8_t> request = readRequestFrame(range, options.preambles);
      const int answered =
          WriteComBytes(port, request.data(), int(request.size())) ? receiveAnswer(port) : -1;
      if (answered < 0) {
        std::fprintf(stderr, "zvc_bench_exchange: the simulator did not answer a bare request\n");
        done = false;
        break;
      }
      figures.slowestRequest = std::max(figures.slowestRequest, secondsSince(sent));
      figures.wireBytes += long(request.size()) + answered;
      ++figures.requests;
    }
  }
  figures.wallSeconds = secondsSince(start);
  CloseComPort(port);
  return done;
}

void printReference(const Figures& engine, const Figures& alone) {
  std::printf("  simulator alone (bare client, %d requests): %.2f ms per request, ratio %.3f\n",
              alone.requests, alone.secondsPerRequest() * 1e3, alone.lineTimeRatio());
  if (engine.requests > 0) {
    std::printf("  engine beyond the simulator: %+.2f ms per request\n",
                (engine.secondsPerRequest() - alone.secondsPerRequest()) * 1e3);
  }
}

int connectLoopback(int port) {
  const auto where = ResolveAddress("127.0.0.1", format("%d", port));
  const int fd = where ? socket(AF_INET, SOCK_STREAM, 0) : -1;
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&*where), sizeof *where) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// (b): the engine over TCP, the simulator answering at once.
bool benchTcp(const Options& options) {
  std::printf(
      "(b) TCP: zvc-sim on 127.0.0.1, no line emulation; %d reads of table 1 only, since "
      "the engine pauses 500 ms before every send\n",
      options.tcpReads);
  test::SimProcess sim({"--tcp", "0"});
  kpsbox engine{kAddress};
  SilentFrontend frontend;
  engine.statusPanel = &frontend;
  configureLink(engine, kEthernetLink, options);
  engine.tcpSocket = connectLoopback(sim.tcpPort());
  if (engine.tcpSocket < 0) {
    std::fprintf(stderr, "zvc_bench_exchange: cannot connect to port %d\n", sim.tcpPort());
    return false;
  }
  Figures figures;
  const bool done = readTableRepeatedly(engine, options.tcpReads, 0, figures);
  close(engine.tcpSocket);
  if (!done) return false;
  std::printf("  %d requests in %.2f s: %.2f requests/s, %.2f ms per request (slowest %.2f ms)\n",
              figures.requests, figures.wallSeconds, figures.requestsPerSecond(),
              figures.secondsPerRequest() * 1e3, figures.slowestRequest * 1e3);
  std::printf("  beyond the 500 ms send pause: %.2f ms per request\n",
              (figures.secondsPerRequest() - kTcpSendPause) * 1e3);
  std::printf("  client CPU %.3f s = %.2f %% of wall time (goal <= %.0f %%, %s)\n",
              figures.cpuSeconds, figures.cpuShare() * 100, kCpuShareGoal * 100,
              verdict(figures.cpuShare() <= kCpuShareGoal));
  return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
  const struct {
    const char* name;
    int* value;
    int maximum;
  } counts[] = {{"--serial-reads", &options.serialReads, 1000000},
                {"--reference-reads", &options.referenceReads, 1000000},
                {"--tcp-reads", &options.tcpReads, 1000000},
                {"--preambles", &options.preambles, 255}};
  for (int i = 1; i < argc; i += 2) {
    const auto* count = std::find_if(std::begin(counts), std::end(counts), [&](const auto& c) {
      return std::strcmp(c.name, argv[i]) == 0;
    });
    const auto value = i + 1 < argc ? parseInteger(argv[i + 1]) : std::nullopt;
    if (count == std::end(counts) || !value || *value < 0 || *value > count->maximum) return false;
    *count->value = int(*value);
  }
  return true;
}

}  // namespace
}  // namespace zvc

int main(int argc, char** argv) {
  const char* usage =
      "usage: zvc_bench_exchange [--serial-reads N] [--reference-reads N] [--tcp-reads N] "
      "[--preambles N]\n";
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  zvc::Options options;
  if (!zvc::parseOptions(argc, argv, options)) {
    std::fputs(usage, stderr);
    return 2;
  }
  std::printf("Table 1 read in %zu function-1 requests per read.\n", zvc::tableRanges().size());
  zvc::Figures serial;
  if (options.serialReads > 0 && !zvc::benchSerial(options, serial)) return 1;
  zvc::Figures alone;
  if (options.referenceReads > 0) {
    if (!zvc::benchSimulatorAlone(options, alone)) return 1;
    zvc::printReference(serial, alone);
  }
  if (options.tcpReads > 0 && !zvc::benchTcp(options)) return 1;
  return 0;
}
