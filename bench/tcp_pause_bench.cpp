// TCP request pause benchmark: a measurement archive of run 1 read over TCP from zvc-sim, once
// with the pause of 500 ms that the exchange prescribes before every request and once without
// it, as the Ethernet link parameter "Пауза перед запросом по Ethernet, мс" allows.
//
// Not a ctest test. Build and run:
//   cmake --build build --target zvc_bench_tcp_pause
//   build/bench/zvc_bench_tcp_pause [--days N]
// Default: 1 day (about 180 exchanges; some 90 s with the 500 ms pause). 10 days are the
// 1800 exchanges of a service visit, a quarter of an hour with the pause.
// Exit status 1 when a reading fails or the two readings differ.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "core/archives/chrom_archive_reader.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/link/tcp_link.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"
#include "sim_process.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::uint32_t kLoopback = 0x7F000001;  // 127.0.0.1, first part on top

struct Reading {
  double seconds = 0;
  std::size_t records = 0;
};

std::optional<Reading> readOverTcp(int days, int pauseMs) {
  test::SimProcess sim({"--tcp", "0", "--time", "2026-03-15 12:00:00"});
  kpsbox engine{1};
  LinkSettings settings;
  settings.general.linkKind = kEthernetLink;
  settings.ethernet.requestPauseMs = pauseMs;
  SilentFrontend frontend;
  engine.statusPanel = &frontend;
  const EthernetSubscriber simulator{"zvc-sim", 1, kLoopback, sim.tcpPort()};
  if (!TcpConnect(engine, settings.ethernet, simulator.address, &simulator, frontend)) {
    std::fprintf(stderr, "zvc_bench_tcp_pause: no connection to zvc-sim\n");
    return std::nullopt;
  }
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  TableService service{connection, image, settings, frontend};
  std::string pattern = (std::filesystem::temp_directory_path() / "zvc-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return std::nullopt;
  const std::filesystem::path folder = pattern;
  ChromArchiveReader reader(connection, service, folder);
  const DateTime6 last{26, 3, 15, 12, 0, 0};

  const auto start = Clock::now();
  const auto reading = reader.readMeasurements(0, addDays(last, -days), last);
  const double seconds = Seconds(Clock::now() - start).count();
  std::filesystem::remove_all(folder);
  if (!reading) {
    std::fprintf(stderr, "zvc_bench_tcp_pause: the reading failed: %s\n",
                 std::string(engine.ErrorText()).c_str());
    return std::nullopt;
  }
  return Reading{seconds, reading->records.count()};
}

}  // namespace
}  // namespace zvc

int main(int argc, char** argv) {
  int days = 1;
  if (argc == 3 && std::strcmp(argv[1], "--days") == 0) {
    const auto value = zvc::parseInteger(argv[2]);
    days = value && *value > 0 && *value <= 3650 ? int(*value) : 0;
  }
  if ((argc != 1 && argc != 3) || days == 0) {
    std::fputs("usage: zvc_bench_tcp_pause [--days N]\n", stderr);
    return 2;
  }
  std::printf("run 1's measurement archive of %d day(s) from zvc-sim over TCP\n", days);
  std::optional<zvc::Reading> readings[2];
  const int pauses[2] = {500, 0};
  for (int i = 0; i < 2; ++i) {
    readings[i] = zvc::readOverTcp(days, pauses[i]);
    if (!readings[i]) return 1;
    std::printf("  pause %3d ms: %zu records in %.2f s\n", pauses[i], readings[i]->records,
                readings[i]->seconds);
  }
  if (readings[0]->records != readings[1]->records) {
    std::puts("the two readings differ");
    return 1;
  }
  std::printf("  %.0f times faster without the pause\n",
              readings[0]->seconds / readings[1]->seconds);
  return 0;
}
