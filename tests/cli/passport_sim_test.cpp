// passport day|month against zvc-sim: the passports written with their rows, the hourly gap, the
// records of a day without the chromatograph's link, and the refusals and cross-check failures
// that write nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_process.h"
#include "cli_sim_fixture.h"
#include "support/xlsx_inspect.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::inspect;
using test::SimProcess;

// Daily records up to the gas day of 19.03.24 (contract hour 9), hourly ones up to 11:00 of the
// 20th.
std::vector<std::string> simOptions(std::vector<std::string> faults = {}) {
  std::vector<std::string> options = {"--pty", "--time", "2024-03-20 12:00:00"};
  for (const std::string& fault : faults) options.insert(options.end(), {"--fault", fault});
  return options;
}

const std::string kObject = "ГРС Південна";

std::vector<std::string> passport(const char* kind, const char* date, const char* run = "1") {
  return {"--yes", "passport", kind, "--run", run, "--date", date, "--object", kObject};
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PassportAgainstSim : public CliAgainstSim {
 protected:
  std::filesystem::path report(const std::string& name) const {
    return folder_.path() / "REPORT" / (kObject + "_Нитка 1_" + name + ".xlsx");
  }
  bool reportFolderEmpty() const {
    const auto folder = folder_.path() / "REPORT";
    return !std::filesystem::exists(folder) || std::filesystem::is_empty(folder);
  }
};

// Column A of the rows from 10 on, one a line, up to the first empty one.
std::string firstColumn(const std::filesystem::path& file) {
  return inspect(file,
                 "r = 10\n"
                 "while ws.cell(r, 1).value:\n"
                 "  print(ws.cell(r, 1).value); r += 1");
}

TEST_F(PassportAgainstSim, DailyPassportHasTheTwentyFourHoursAndTheDayAverages) {
  SimProcess sim(simOptions());
  const CliRun run = overPty(sim, passport("day", "2024-03-18"));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto file = report("day_240318");
  EXPECT_TRUE(contains(run.err, "kind 6: Данные сохранены в файле " + file.filename().string()))
      << run.err;
  std::string hours;
  for (int h = 9; h < 24; ++h)
    hours += "18.03.24  " + std::string(h < 10 ? "0" : "") + std::to_string(h) + ":00\n";
  for (int h = 0; h < 9; ++h) hours += "19.03.24  0" + std::to_string(h) + ":00\n";
  hours += "Середнє значення:\n";
  EXPECT_EQ(firstColumn(file), hours);
  EXPECT_EQ(inspect(file,
                    "print(ws['G2'].value); print(ws['S4'].value)\n"
                    "print(ws['B34'].value not in (None, '--'))"),
            "Об'єкт: \"" + kObject +
                "\".  Серійний номер хроматографа: 73150001.  Нитка: \"Нитка 1\"\n"
                "За період з 18.03.24 09:00  по  19.03.24 08:00\nTrue\n");

  // The object was added to the list; another new one is refused without --yes.
  const CliRun unknown = overPty(
      sim, {"passport", "day", "--run", "1", "--date", "2024-03-18", "--object", "Інша ГРС"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(contains(unknown.err, "is not in the object list")) << unknown.err;

  // The written passport loads in LibreOffice and prints on one page.
  const std::string convert =
      "cd '" + folder_.path().string() + "' && HOME='" + folder_.path().string() +
      "' timeout 120 libreoffice --headless --convert-to pdf '" + file.string() +
      "' >/dev/null 2>&1 && pdfinfo '" +
      (folder_.path() / (file.stem().string() + ".pdf")).string() + "' | grep -q '^Pages: *1$'";
  EXPECT_EQ(std::system(convert.c_str()), 0) << convert;
}

TEST_F(PassportAgainstSim, MonthlyPassportOfAMonthNotYetCompleteEndsWithTheLastDailyRecord) {
  SimProcess sim(simOptions());
  const CliRun run = overPty(sim, passport("month", "2024-03"));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto file = report("mon_2403");
  EXPECT_EQ(inspect(file,
                    "print(ws['S4'].value, ws['A10'].value, ws['A40'].value)\n"
                    "print([r for r in range(10, 41) if ws.cell(r, 2).value] == "
                    "list(range(10, 29)))\n"
                    "print(*[c.value for c in ws[41] if c.value][:1], len([c for c in ws[41] if "
                    "c.value]) == 7)"),
            "За період з 01.03.24 по  19.03.24 1 31\nTrue\n"
            "Середньозважене значення теплоти згоряння: True\n");
}

TEST_F(PassportAgainstSim, AnHourlyGapIsSkippedInBothInstruments) {
  SimProcess sim(simOptions({"hourly-gap"}));
  const CliRun run = overPty(sim, passport("day", "2024-03-19"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string column = firstColumn(report("day_240319"));
  EXPECT_TRUE(contains(column, "20.03.24  00:00\n20.03.24  04:00\n")) << column;
  EXPECT_EQ(std::count(column.begin(), column.end(), '\n'), 21) << column;
}

TEST_F(PassportAgainstSim, RecordsWithoutTheChromatographsLinkAreVoidedAndLeftOutOfTheMeans) {
  SimProcess sim(simOptions({"unmeasured-day"}));
  ASSERT_EQ(overPty(sim, passport("day", "2024-03-17")).status, 0);
  EXPECT_EQ(inspect(report("day_240317"),
                    "print([ws.cell(r, 2).value == '--' for r in (10, 11, 12, 13, 34)])"),
            "[True, True, True, False, True]\n");
  ASSERT_EQ(overPty(sim, passport("month", "2024-03")).status, 0);
  // Day 17 shows "--"; the mean of the lower heat is that of the days written as numbers.
  EXPECT_EQ(inspect(report("mon_2403"),
                    "h = [c for c in range(1, 40) if ws.cell(7, c).value == "
                    "'Теплота згоряння' + chr(10) + 'нижча'][0]\n"
                    "v = [float(ws.cell(r, h).value) for r in range(10, 29) if ws.cell(r, "
                    "h).value != '--']\n"
                    "print(ws.cell(26, h).value, ws.cell(26, 2).value, len(v) < 19, "
                    "abs(sum(v) / len(v) - float(ws.cell(41, h).value)) < 0.01)"),
            "-- -- True True\n");
}

TEST_F(PassportAgainstSim, WithoutAMoistureMeterItsColumnsStayEmpty) {
  std::vector<std::string> options = simOptions();
  options.insert(options.end(), {"--set", "6.8=00"});
  SimProcess sim(options);
  // The rows from 10 on where the chromatograph wrote its first cell and the four moisture cells
  // (found by their heading) stayed empty.
  const std::string rows =
      "m = [c for c in range(1, 40) if (ws.cell(5, c).value or '').startswith("
      "'Температура точки роси' + chr(10) + 'вологи')][0]\n"
      "print([r for r in range(10, 41) if ws.cell(r, 2).value and "
      "all(ws.cell(r, m + u).value is None for u in range(4))])";
  const auto rowList = [](int first, int last) {
    std::string list = "[";
    for (int row = first; row <= last; ++row) {
      list += (row > first ? ", " : "") + std::to_string(row);
    }
    return list + "]\n";
  };
  const CliRun day = overPty(sim, passport("day", "2024-03-18"));
  ASSERT_EQ(day.status, 0) << day.err;
  EXPECT_EQ(inspect(report("day_240318"), rows), rowList(10, 34));  // 24 hours and the averages
  const CliRun month = overPty(sim, passport("month", "2024-03"));
  ASSERT_EQ(month.status, 0) << month.err;
  EXPECT_EQ(inspect(report("mon_2403"), rows), rowList(10, 28));  // 1 to 19 March
}

TEST_F(PassportAgainstSim, DisagreeingInstrumentsAndDatesOutsideTheArchiveWriteNothing) {
  const struct {
    std::vector<std::string> faults;
    std::vector<std::string> command;
    int status;
    const char* message;
  } cases[] = {
      {{"moisture-gap"},
       passport("day", "2024-03-18"),
       1,
       "kind 6: Несоответствие дат в записях / архивов данных хроматографа и влагомера"},
      {{"moisture-gap"},
       passport("month", "2024-03"),
       1,
       "kind 6: Несоответствие дат в записях / архивов данных хроматографа и влагомера"},
      {{"moisture-lag"},
       passport("month", "2024-03"),
       1,
       "kind 6: Несоответствие количества прочитанных данных / хроматографа (19) и влагомера "
       "(18)"},
      {{"moisture-lag"},
       passport("day", "2024-03-19"),
       1,
       "kind 6: Суточные данные из архива / влагомера не прочитаны"},
      {{},
       passport("month", "2023-01"),
       2,
       "kind 2: В архиве нет данных за указанную дату / (см. период имеющихся в архиве данных)"},
      {{},
       passport("day", "2024-03-20"),
       2,
       "kind 2: В архиве нет данных за указанную дату / (см. период имеющихся в архиве данных)"},
  };
  for (const auto& c : cases) {
    SimProcess sim(simOptions(c.faults));
    const CliRun run = overPty(sim, c.command);
    EXPECT_EQ(run.status, c.status) << c.message << "\n" << run.err;
    EXPECT_TRUE(contains(run.err, c.message)) << run.err;
    EXPECT_TRUE(reportFolderEmpty()) << c.message;
  }
}

}  // namespace
}  // namespace zvc
