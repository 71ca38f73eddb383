// Controller-state benchmark: the main window's "Текущее состояние контроллера" view polls a
// zvc-sim controller every second (tables 16 and 33) over its pseudo-terminal at 9600 bit/s, the
// direct line's usual rate, for a number of seconds; prints the polls made and the program's CPU
// time as a share of wall time. Goal: at most 5 %.
//
// Not a ctest test. Build and run:
//   cmake --build build --target zvc_bench_controller_state
//   build/bench/zvc_bench_controller_state [seconds]      (default 60)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Exit status 1 when the
// view polled less than once per two seconds or the goal was missed.
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/table_service.h"
#include "gui/app/tformmain.h"
#include "gui/tables/tformsit.h"
#include "sim_process.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLineRate = 9600;
constexpr std::uint8_t kSimCom = 40;
constexpr double kCpuShareGoal = 0.05;
constexpr const char* kSummaryRead = "F=1 00 10 00 12";  // table 16, fields 0..17

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int countLines(const std::string& path, const std::string& line) {
  std::ifstream file(path);
  int count = 0;
  for (std::string read; std::getline(file, read);) count += read == line ? 1 : 0;
  return count;
}

// The main window as after a connection over a direct line to the simulator's terminal.
bool connect(TFormMain& window, const std::string& ptyPath) {
  LinkSettings& settings = window.settings().link.settings;
  settings.general.linkKind = kDirectLink;
  settings.general.closePortAfterEachCommand = false;
  settings.direct.port = kSimCom;
  settings.direct.speed = kLineRate;
  settings.ports[kSimCom] = ptyPath;
  kpsbox& engine = *window.connectionState().engine;
  configureEngine(engine, settings);
  if (!engine.OpenPort()) return false;
  window.connectionState().connected = true;
  return window.tables().readTableRange({0, 0, 18}) && window.tables().readTableRange({6, 0, 12});
}

int run(int seconds) {
  QTemporaryDir folder;
  const std::string log = folder.filePath("sim.log").toStdString();
  test::SimProcess sim({"--pty", "--line-rate", std::to_string(kLineRate), "--log", log});
  TFormMain window(WorkingFolder(folder.filePath("work").toStdString()));
  window.findChild<QTimer*>("TimerStart")->stop();
  if (!connect(window, sim.ptyPath())) {
    std::fprintf(stderr, "zvc_bench_controller_state: no controller on %s\n",
                 sim.ptyPath().c_str());
    return 1;
  }
  TableStateBlock block;
  TFormSit view(window.tables(), block, &window);
  QTimer::singleShot(seconds * 1000, &view, &QDialog::reject);
  const int pollsBefore = countLines(log, kSummaryRead);
  const double cpuBefore = cpuSeconds();
  const auto start = Clock::now();
  view.exec();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = cpuSeconds() - cpuBefore;
  const int polls = countLines(log, kSummaryRead) - pollsBefore;

  const double share = cpu / wall;
  std::printf("controller-state view, zvc-sim pseudo-terminal at %d bit/s, %d s\n", kLineRate,
              seconds);
  std::printf("  %d polls in %.1f s (%.2f per second)\n", polls, wall, polls / wall);
  std::printf("  program CPU %.3f s = %.2f %% of wall time (goal <= %.0f %%): %s\n", cpu,
              share * 100, kCpuShareGoal * 100, share <= kCpuShareGoal ? "met" : "MISSED");
  return share <= kCpuShareGoal && polls * 2 >= seconds ? 0 : 1;
}

}  // namespace
}  // namespace zvc

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: zvc_bench_controller_state [seconds]\n");
    return 2;
  }
  return zvc::run(seconds);
}
