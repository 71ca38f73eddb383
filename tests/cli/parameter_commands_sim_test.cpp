// zvc-cli clock and show-params as a script runs them, against zvc-sim over a pseudo-terminal.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_sim_fixture.h"
#include "core/common/calendar.h"
#include "core/common/format.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;
using test::withCredentials;

// The value of the row with that label, or "(none)".
std::string valueOf(const std::vector<std::string>& rows, const std::string& label) {
  for (const std::string& row : rows) {
    if (row.starts_with(label + "\t")) return row.substr(label.size() + 1);
  }
  return "(none)";
}

TEST_F(CliAgainstSim, ShowParamsPrintsEachDialogsRows) {
  SimProcess sim({"--pty"});
  const struct {
    const char* section;
    const char* label;
    const char* value;
  } cases[] = {
      {"ident", "Код типа контроллера", "73"},
      {"names", "Наименование нитки 2 хроматографа", "Нитка 2"},
      {"system", "Переход на зимнее время: Номер \"дня недели\" в месяце", "Последний"},
      {"sync", "Синхронизировать время контроллера: С временем ЭВМ", "Да"},
      {"uplink", "Кол. преамбул  при ответе ВУ", "3"},
      {"vrg-link", "Количество подключенных вычислителей", "2"},
      {"chrom-link", "Для передачи Т газа нитке 2 хроматографа: Индекс ВРГ", "1 (адр. 2)"},
      {"moist-link", "Таймаут ожидания ответа  от влагомера", "150 сс"},
      {"ethernet", "IP-адрес контроллера", "192.168.1.10"},
      {"serial", "Серийный номер хроматографа", "73150001"},
  };
  for (const auto& c : cases) {
    const CliRun shown = overPty(sim, {"show-params", c.section});
    ASSERT_EQ(shown.status, 0) << c.section << ": " << shown.err;
    EXPECT_EQ(valueOf(lines(shown.out), c.label), c.value) << c.section << "\n" << shown.out;
    EXPECT_EQ(shown.err, "") << c.section;
  }
  const CliRun unknown = overPty(sim, {"show-params", "everything"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown section \"everything\""), std::string::npos);
}

TEST_F(CliAgainstSim, ShowParamsPrintsTheFlowComputersAndThePerParameterTables) {
  SimProcess sim({"--pty"});
  const struct {
    std::vector<std::string> arguments;
    const char* label;
    const char* value;
  } cases[] = {
      {{"show-params", "flow-computers"},
       "Вычислитель № 2",
       "Адрес: 2\tТип: ВР-2\tПорядок байтов в многобайтных переменных: Мл. адрес -- мл. "
       "байт\tНеобходимость записи параметров газа для трубопроводов: 0xA3"},
      {{"show-params", "parameters"}, "Количество введенных параметров", "15"},
      {{"show-params", "parameters"}, "2", "МД пропана\tC3\t%\t35407\t0.0000\t100.0000"},
      {{"show-params", "deadzone"}, "МД пропана", "0.0009 %"},
      {{"show-params", "high-limit"}, "МД пропана", "1.3500 %"},
      {{"show-params", "write-need"}, "МД пропана", "Записывать"},
      {{"show-params", "period"}, "Период записи средних за час значений параметров газа в ВРГ",
       "1 ч"},
      {{"show-params", "constants", "--run", "2"}, "МД пропана", "0.9000\tНет"},
  };
  for (const auto& c : cases) {
    const CliRun shown = overPty(sim, c.arguments);
    ASSERT_EQ(shown.status, 0) << c.arguments[1] << ": " << shown.err;
    EXPECT_EQ(valueOf(lines(shown.out), c.label), c.value) << c.arguments[1] << "\n" << shown.out;
  }
  const CliRun noRun = overPty(sim, {"show-params", "constants"});
  EXPECT_EQ(noRun.status, 2);
  EXPECT_NE(noRun.err.find("needs --run 1 or --run 2"), std::string::npos) << noRun.err;
  EXPECT_EQ(overPty(sim, {"show-params", "period", "--run", "1"}).status, 2);
}

TEST_F(CliAgainstSim, ClockShowsBothClocksAndCorrectsOnlyWhenConfirmed) {
  SimProcess sim({"--pty", "--time", "2021-03-28 01:59:40"});
  const CliRun shown = overPty(sim, {"clock"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const std::vector<std::string> rows = lines(shown.out);
  ASSERT_EQ(rows.size(), 5u) << shown.out;
  EXPECT_EQ(rows[0], "\tВ контроллере\tВ ЭВМ");
  EXPECT_TRUE(rows[1].starts_with("Дата\t28.03.21\t")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("Время\t01:59:")) << rows[2];
  EXPECT_TRUE(rows[3].starts_with("День недели\tВоскресенье\t")) << rows[3];
  EXPECT_TRUE(rows[4].starts_with("Тип времени\tЗимнее\t")) << rows[4];

  const CliRun declined = overPty(sim, withCredentials({"clock", "--correct"}));
  EXPECT_EQ(declined.status, 2);
  EXPECT_NE(declined.err.find("kind 3: Вы уверены, что часы ЭВМ показывают правильное время?"),
            std::string::npos)
      << declined.err;

  // Years behind: the controller moves on to the start of its next hour, no further.
  const CliRun corrected = overPty(sim, withCredentials({"clock", "--correct", "--yes"}));
  ASSERT_EQ(corrected.status, 0) << corrected.err;
  EXPECT_EQ(lines(corrected.out).back(), "Корректировка времени выполнена");
  const std::vector<std::string> after = lines(overPty(sim, {"clock"}).out);
  ASSERT_EQ(after.size(), 5u);
  EXPECT_TRUE(after[2].starts_with("Время\t02:00:0")) << after[2];
  EXPECT_TRUE(after[4].starts_with("Тип времени\tЗимнее\t")) << after[4];
}

TEST_F(CliAgainstSim, ClockSetWritesTheComputersTime) {
  SimProcess sim({"--pty", "--time", "2021-03-28 01:59:40"});
  const CliRun set = overPty(sim, withCredentials({"clock", "--set", "--yes"}));
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_NE(set.err.find("kind 3: В контроллер будет записано время ЭВМ."), std::string::npos);
  const std::vector<std::string> rows = lines(overPty(sim, {"clock"}).out);
  ASSERT_EQ(rows.size(), 5u);
  const DateTime6 today = localNow();
  EXPECT_TRUE(
      rows[1].starts_with(format("Дата\t%02d.%02d.%02d", today.day, today.month, today.year)))
      << rows[1];

  const CliRun unconfirmed = overPty(sim, withCredentials({"clock", "--set"}));
  EXPECT_EQ(unconfirmed.status, 2);
}

}  // namespace
}  // namespace zvc
