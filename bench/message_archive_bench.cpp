// Message archive benchmark: how fast a large diagnostic reading and a large saved file open.
//   (a) 100,000 diagnostic records (sound, random events from a fixed seed) go into the view's
//       rows: the view opens, every row is decoded once as the grid would scroll through all of
//       them, and the text rows a save writes are built;
//   (b) those rows are saved as an ".ala" file in a temporary folder, which is then opened and
//       every row's texts read.
// Prints the time of each step and the peak resident memory of the process. Goals: each step
// under 1 s, peak resident memory under 200 MB.
//
// Not a ctest test. Build and run:
//   cmake --build build --target zvc_bench_archives
//   build/bench/zvc_bench_archives [records]
// Exit status 1 when a goal is missed or a file step fails.
#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/archives/diagnostic_decoder.h"
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"
#include "core/common/crc16.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr int kDefaultRecords = 100000;
constexpr double kTimeGoal = 1.0;           // seconds per step
constexpr double kMemoryGoal = 200 * 1024;  // kilobytes
constexpr unsigned kSeed = 15;
constexpr int kLastEventCode = 90;  // a few beyond the last code with a text

// A station with a few measured parameters, so limit events name them.
ConfigImage benchImage() {
  ConfigImage image;
  const char* names[] = {"Метан", "Этан", "Пропан", "Азот", "Т точки росы"};
  for (int i = 0; i < 5; ++i) {
    const auto record = image.field(1, i);
    utf8ToField(names[i], record.data(), 40);
    record[50] = static_cast<std::uint8_t>(i == 4 ? 8 : 1);
    record[61] = 2;
  }
  return image;
}

// Sound records a minute apart from 1 January 2024, random events and values.
ArchiveRecords randomRecords(int count) {
  std::mt19937 random(kSeed);
  std::uniform_int_distribution<int> code(0, kLastEventCode);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_real_distribution<float> value(-100.0f, 1000.0f);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * kDiagnosticRecordSize);
  DateTime6 time{24, 1, 1, 0, 0, 0};
  for (int i = 0; i < count; ++i) {
    std::uint8_t* record = &bytes[static_cast<std::size_t>(i) * kDiagnosticRecordSize];
    time.toBytes(record);
    record[6] = static_cast<std::uint8_t>(code(random));
    record[8] = static_cast<std::uint8_t>(byte(random) % 20);
    record[9] = static_cast<std::uint8_t>(byte(random));
    const float values[2] = {value(random), value(random)};
    std::memcpy(&record[10], values, sizeof values);
    appendCrc16(record, kDiagnosticRecordSize - 2);
    time.minute = static_cast<std::uint8_t>((time.minute + 1) % 60);
    if (time.minute == 0) time = addHours(time, 1);
  }
  return ArchiveRecords(kDiagnosticRecordSize, std::move(bytes));
}

ArchiveFileHeader benchHeader(const ArchiveRecords& records) {
  ArchiveFileHeader header;
  const auto bytes = header.bytes();
  bytes[0] = 'A';
  bytes[1] = 'L';
  bytes[2] = 'A';
  bytes[ArchiveFileHeader::kAddressAt] = 1;
  bytes[ArchiveFileHeader::kControllerTypeAt] = ArchiveFileHeader::kControllerType;
  bytes[ArchiveFileHeader::kChromatographModelAt] = ArchiveFileHeader::kVelaChromatograph;
  header.setPeriod(DateTime6::fromBytes(records[0].data()),
                   DateTime6::fromBytes(records[records.count() - 1].data()));
  header.setRecordCount(static_cast<std::uint32_t>(records.count()));
  return header;
}

// Reads every cell as the grid would; the total length keeps the work from being optimised away.
std::size_t readAllRows(const MessageViewRows& view) {
  std::size_t length = 0;
  for (int row = 0; row < view.rowCount(); ++row) {
    for (const std::string& text : view.rowTexts(row)) length += text.size();
  }
  return length;
}

double peakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss);
}

bool report(const char* step, double seconds, std::size_t rows) {
  std::printf("%-44s %8.3f s  (%zu rows)\n", step, seconds, rows);
  return seconds < kTimeGoal;
}

template <typename Step>
double timed(Step&& step) {
  const auto start = Clock::now();
  step();
  return Seconds(Clock::now() - start).count();
}

int run(int count) {
  const ConfigImage image = benchImage();
  const ArchiveRecords records = randomRecords(count);
  const ArchiveFileHeader header = benchHeader(records);
  bool met = true;

  std::size_t length = 0;
  ArchiveRecords textRows(1);
  const double decodeTime = timed([&] {
    const MessageViewRows view(MessageFileKind::kDiagnostic, header, records, image, kViewByIndex,
                               1);
    length += readAllRows(view);
    textRows = view.textRows();
  });
  met &= report("(a) reading: view, all rows, text rows", decodeTime, records.count());

  std::string pattern = (std::filesystem::temp_directory_path() / "zvc-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const std::filesystem::path folder = pattern;
  const std::filesystem::path file = folder / "bench.ala";
  SilentFrontend frontend;
  const double saveTime = timed([&] { met &= writeMessageFile(file, header, textRows, frontend); });
  std::printf("%-44s %8.3f s  (%ju bytes)\n", "    save (not a goal)", saveTime,
              static_cast<std::uintmax_t>(std::filesystem::file_size(file)));
  textRows = ArchiveRecords(1);  // the reading's rows are gone when the file is opened

  std::size_t opened = 0;
  const double openTime = timed([&] {
    const auto saved = openMessageFile(MessageFileKind::kDiagnostic, file, frontend);
    if (!saved) return;
    const MessageViewRows view(MessageFileKind::kDiagnostic, saved->header, saved->rows);
    opened = static_cast<std::size_t>(view.rowCount());
    length += readAllRows(view);
  });
  met &= report("(b) saved .ala: open, all rows", openTime, opened) && opened == records.count();
  std::filesystem::remove_all(folder);

  const double peak = peakResidentKb();
  std::printf("peak resident memory %.1f MB (goal < %.0f MB); text bytes read %zu\n", peak / 1024,
              kMemoryGoal / 1024, length);
  met &= peak < kMemoryGoal;
  std::printf("%s\n", met ? "goals met" : "GOAL MISSED");
  return met ? 0 : 1;
}

}  // namespace
}  // namespace zvc

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : zvc::kDefaultRecords;
  if (count < 1) {
    std::fprintf(stderr, "usage: %s [records]\n", argv[0]);
    return 2;
  }
  return zvc::run(count);
}
