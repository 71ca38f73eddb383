// zvc-cli config as a script runs it: files made, shown and compared, a controller's configuration
// read from zvc-sim.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "cli_sim_fixture.h"

namespace zvc {
namespace {

using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::SimProcess;

bool hasLine(const std::string& text, const std::string& line) {
  for (const std::string& each : lines(text)) {
    if (each == line) return true;
  }
  return false;
}

TEST_F(CliAgainstSim, ConfigNewIsShownSectionBySection) {
  const CliRun made = run({"config", "new", "--save", file("new")});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.err, "kind 6: Параметры конфигурации / сохранены в файле new.cnf\n");
  struct stat st {};
  ASSERT_EQ(::stat(file("new.cnf").c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 4335);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  const CliRun shown = run({"config", "show", file("new.cnf")});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_TRUE(hasLine(shown.out, "names\tНаименование контроллера\tКонтроллер ЖВЦ_15"));
  EXPECT_TRUE(hasLine(shown.out, "system\tКонтрактный час\t9:00"));
  EXPECT_TRUE(hasLine(shown.out, "chrom-link\tКоличество параметров для чтения\t15"));
  EXPECT_TRUE(hasLine(shown.out, "vrg-link\tКоличество подключенных вычислителей\t1"));
  EXPECT_TRUE(hasLine(shown.out,
                      "period\tПериод записи средних за час значений параметров газа в ВРГ\t1 ч"));
  EXPECT_TRUE(hasLine(shown.out, "users\t16\tНет доступа"));

  const CliRun again = run({"config", "new", "--save", file("new.cnf")});
  EXPECT_EQ(again.status, 2);  // not replaced without --yes
  const CliRun same = run({"config", "diff", file("new.cnf"), file("new.cnf")});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");
}

TEST_F(CliAgainstSim, ConfigReadSavesTheControllersTablesAndDiffNamesTheDifferences) {
  SimProcess sim({"--pty"});
  const CliRun read = overPty(sim, {"config", "read", "--save", file("station.cnf")});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string bytes = test::readBytes(file("station.cnf"));
  ASSERT_EQ(bytes.size(), 4335u);
  EXPECT_EQ(bytes[0], 1);                                    // read from a controller
  EXPECT_EQ(static_cast<unsigned char>(bytes[1829]), 0xE4);  // a blank password on disk

  run({"config", "new", "--save", file("new.cnf")});
  const CliRun diff = run({"config", "diff", file("new.cnf"), file("station.cnf")});
  ASSERT_EQ(diff.status, 0) << diff.err;
  EXPECT_TRUE(hasLine(diff.out, "vrg-link\tКоличество подключенных вычислителей\t1\t2"));
  EXPECT_FALSE(hasLine(diff.out, "ident\tКод типа контроллера\t73\t73"));
  // The users by name and level alone; the password and code read with them stay unshown.
  EXPECT_TRUE(hasLine(diff.out, "users\t1\tНет доступа\tNAL, Производитель-наладчик"));
  EXPECT_NE(diff.out.find("\nflow-computers\t"), std::string::npos);
  EXPECT_NE(diff.out.find("\ndeadzone\t"), std::string::npos);
  EXPECT_NE(diff.out.find("\nparameters\t"), std::string::npos);

  const CliRun live = overPty(sim, {"config", "diff", file("station.cnf"), "--controller"});
  ASSERT_EQ(live.status, 0) << live.err;
  EXPECT_EQ(live.out, "");
}

TEST_F(CliAgainstSim, ConfigRefusesWhatIsNoConfigurationFile) {
  test::writeBytes(folder_.file("short.cnf"), std::string(4334, '\0'));
  const CliRun shown = run({"config", "show", file("short.cnf")});
  EXPECT_EQ(shown.status, 2);
  EXPECT_EQ(shown.err,
            "kind 6: Файл short.cnf не является файлом конфигурации / контроллера ЖВЦ_15\n");
}

}  // namespace
}  // namespace zvc
