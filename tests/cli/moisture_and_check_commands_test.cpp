// The moisture-meter, calibration and verification readings of zvc-cli against zvc-sim, and the
// printed moisture-meter report.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

#include "cli_sim_fixture.h"
#include "core/archives/message_files.h"
#include "core/archives/moisture_archives.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;

std::vector<std::string> simOptions(std::vector<std::string> extra) {
  std::vector<std::string> options = {"--time", "2024-03-10 12:00:00", "--pty"};
  options.insert(options.end(), extra.begin(), extra.end());
  return options;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(CliAgainstSim, EachReadingPrintsSavesAndShowsAgain) {
  SimProcess sim(simOptions({}));
  const struct {
    std::vector<std::string> command;
    const char* extension;
    const char* caption;
    std::size_t headingLines;
    std::size_t rows;
  } cases[] = {
      {{"moist-meas", "--period", "2024-03-10 08:00:00", "2024-03-10 09:00:00"},
       ".mwm",
       "Мгновенные данные влагомера за период  с  10.03.24 08:00:00  по  10.03.24 09:00:00",
       4,
       12},
      {{"moist-hour", "--period", "2024-03-09 00:00:00", "2024-03-09 23:00:00"},
       ".hwm",
       "Часовые данные влагомера за период с 09.03.24  00ч  по  09.03.24  23ч",
       4,
       24},
      {{"moist-day", "--period", "2024-02-01 00:00:00", "2024-02-20 00:00:00"},
       ".dwm",
       "Суточные данные влагомера за период с 01.02.24  по  20.02.24",
       4,
       20},
      {{"calib", "--period", "2024-03-01 00:00:00", "2024-03-10 00:00:00"},
       ".clb",
       "Калибровочные данные хроматографа (сер. № ",
       2,
       9},
      {{"verif", "--period", "2024-03-01 00:00:00", "2024-03-10 00:00:00"},
       ".vrf",
       "Данные поверки хроматографа (сер. № ",
       2,
       18},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command[0]);
    const CliRun printed = overPty(sim, test::withCredentials(c.command));
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::vector<std::string> shown = lines(printed.out);
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown[0].starts_with(c.caption)) << shown[0];
    EXPECT_EQ(shown.size(), 1 + c.headingLines + c.rows);

    std::vector<std::string> save = c.command;
    save.insert(save.end(), {"--save", file(c.command[0].c_str())});
    const CliRun saved = overPty(sim, test::withCredentials(save));
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::string savedFile = file(c.command[0].c_str()) + c.extension;
    const CliRun reopened = run({"show", savedFile});
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, printed.out);
  }
}

TEST_F(CliAgainstSim, QuickChoicesOfThePeriodDialogs) {
  SimProcess sim(simOptions({}));
  const CliRun lastDay = overPty(sim, test::withCredentials({"moist-hour", "--last-day"}));
  ASSERT_EQ(lastDay.status, 0) << lastDay.err;
  EXPECT_EQ(lines(lastDay.out).size(), 1 + 4 + 24U);
  const CliRun lastMonth = overPty(sim, test::withCredentials({"moist-day", "--last-month"}));
  ASSERT_EQ(lastMonth.status, 0) << lastMonth.err;
  EXPECT_GE(lines(lastMonth.out).size(), 1 + 4 + 28U);
  const CliRun wrong = run({"moist-day", "--last-hour"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_TRUE(contains(wrong.err, "--last-hour is not a choice of this reading")) << wrong.err;
}

TEST_F(CliAgainstSim, VerificationSeriesBeyond256AnswersAndTheArchiveErrorFlag) {
  SimProcess sim(simOptions({"--fault", "long-series 300"}));
  const CliRun all = overPty(
      sim, test::withCredentials({"verif", "--period", "2023-01-01 00:00:00", "2024-03-10 12:00:00"}));
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(lines(all.out).size(), 1 + 2 + 360U);

  SimProcess flagged(simOptions({"--fault", "archive-error-flag"}));
  const CliRun calib = overPty(
      flagged, test::withCredentials({"calib", "--period", "2024-03-05 00:00:00", "2024-03-10 00:00:00"}));
  EXPECT_EQ(calib.status, 0) << calib.err;
  EXPECT_EQ(lines(calib.out).size(), 1 + 2 + 5U);
  EXPECT_TRUE(contains(calib.err, "kind 6: Обнаружена ошибка / в архиве данных калибровки"))
      << calib.err;
  const CliRun verif = overPty(
      flagged, test::withCredentials({"verif", "--period", "2024-03-09 00:00:00", "2024-03-10 00:00:00"}));
  EXPECT_EQ(verif.status, 0) << verif.err;
  EXPECT_TRUE(contains(verif.err, "kind 6: Обнаружена ошибка / в архиве данных верификации"))
      << verif.err;
}

std::string pdfPages(const std::string& pdf) {
  const std::string command = "pdfinfo '" + pdf + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::array<char, 256> buffer{};
  while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) {
    const std::string line = buffer.data();
    if (line.starts_with("Pages:")) return line.substr(line.find_last_of(' ') + 1);
  }
  return "?";
}

TEST_F(CliAgainstSim, PrintedMoistureTableHas52RowsOnTheFirstPageAnd59Further) {
  test::RecordingFrontend frontend;
  ArchiveFileHeader header = test::chromHeader("MSA");
  header.bytes()[ArchiveFileHeader::kSourceAt] = 0x01;
  for (const auto& [rows, pages] : {std::pair{52, "1\n"}, std::pair{53, "2\n"},
                                    std::pair{111, "2\n"}, std::pair{112, "3\n"}}) {
    SCOPED_TRACE(rows);
    const ArchiveRecords records(WmtMeasRecord::kSize,
                                 std::vector<std::uint8_t>(WmtMeasRecord::kSize * rows));
    const std::string mwm = file("m.mwm");
    ASSERT_TRUE(writeMessageFile(mwm, header, records, frontend));
    const std::string pdf = file(("m" + std::to_string(rows) + ".pdf").c_str());
    const CliRun printed = run({"print", mwm, "--pdf", pdf});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(pdfPages(pdf), pages);
  }
}

}  // namespace
}  // namespace zvc
