// zvc-cli as a script runs it: a process against zvc-sim over a pseudo-terminal and over TCP.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_process.h"
#include "cli_sim_fixture.h"
#include "core/archives/message_files.h"
#include "core/archives/message_view.h"
#include "core/common/text_codec.h"
#include "gui/archives/message_view_model.h"
#include "integration/sim_process.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using namespace std::chrono_literals;
using test::CliAgainstSim;
using test::CliRun;
using test::lines;
using test::runCli;
using test::SimProcess;

// Every simulator of these tests has the same clock, so the archives are the same.
const std::vector<std::string> kSimClock = {"--time", "2024-03-10 12:00:00"};

std::vector<std::string> simOptions(std::vector<std::string> extra) {
  std::vector<std::string> options = kSimClock;
  options.insert(options.end(), extra.begin(), extra.end());
  return options;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// What the GUI's view of a saved file shows: its caption, then the cells of grid columns 1..7 as
// the window's model gives them.
std::string viewOfFile(MessageFileKind kind, const std::filesystem::path& file) {
  test::RecordingFrontend frontend;
  const std::optional<SavedMessages> saved = openMessageFile(kind, file, frontend);
  if (!saved) return "cannot open " + file.string();
  const MessageViewRows rows(kind, saved->header, saved->rows);
  const MessageViewModel grid(rows);
  std::string text = rows.caption() + "\n";
  for (int row = 0; row < grid.rowCount(); ++row) {
    for (int column = 1; column < grid.columnCount(); ++column) {
      text += grid.index(row, column).data().toString().toStdString();
      text += column + 1 < grid.columnCount() ? "\t" : "\n";
    }
  }
  return text;
}

int pdfPages(const std::filesystem::path& pdf) {
  const std::string command = "pdfinfo '" + pdf.string() + "' 2>/dev/null";
  std::FILE* info = popen(command.c_str(), "r");
  if (info == nullptr) return -1;
  int pages = -1;
  char line[512];
  while (std::fgets(line, sizeof line, info) != nullptr) std::sscanf(line, "Pages: %d", &pages);
  pclose(info);
  return pages;
}

// A TCP port on which nothing listens.
int closedTcpPort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

TEST_F(CliAgainstSim, IdentifiesTheControllerOverTcpAndPty) {
  SimProcess sim(simOptions({"--pty", "--tcp", "0", "--cp866", "--address", "7"}));
  const CliRun tcp = overTcp(sim, {"--address", "7", "identify"});
  const CliRun pty = overPty(sim, {"--address", "255", "identify"});
  ASSERT_EQ(tcp.status, 0) << tcp.err;
  ASSERT_EQ(pty.status, 0) << pty.err;
  EXPECT_EQ(tcp.out, pty.out);
  const std::vector<std::string> shown = lines(pty.out);
  ASSERT_EQ(shown.size(), 12u) << pty.out;
  EXPECT_EQ(shown[0], "Код типа контроллера\t73");
  EXPECT_EQ(shown[1], "Версия программного обеспечения\t15");
  EXPECT_EQ(shown[5], "Наличие разрушенных таблиц\tРазрушенных таблиц нет");
  EXPECT_EQ(shown[6], "Возможность работы на разных скоростях обмена\tЕсть");
  EXPECT_EQ(shown[9], "Наименование контроллера\tКонтроллер ЖВЦ_15");
  EXPECT_EQ(shown[10], "Наименование нитки 1 хроматографа\tНитка 1");
  EXPECT_EQ(shown[11], "Наименование нитки 2 хроматографа\tНитка 2");
  EXPECT_EQ(pty.err, "");
}

TEST_F(CliAgainstSim, ReadsTableFieldsAsHexBytes) {
  SimProcess sim(simOptions({"--pty"}));
  const CliRun identification = overPty(sim, {"read-table", "0"});
  ASSERT_EQ(identification.status, 0) << identification.err;
  const std::vector<std::string> fields = lines(identification.out);
  ASSERT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields[1], "0.1\t49");
  EXPECT_EQ(fields[3], "0.3\t0F");
  EXPECT_EQ(fields[17].substr(0, 5), "0.17\t");

  // Table 1 holds 20 records of 64 bytes; a range from field 2 on takes several requests.
  const CliRun records = overPty(sim, {"read-table", "1", "2"});
  ASSERT_EQ(records.status, 0) << records.err;
  const std::vector<std::string> parameters = lines(records.out);
  ASSERT_EQ(parameters.size(), 18u);
  EXPECT_EQ(parameters.front().substr(0, 4), "1.2\t");
  EXPECT_EQ(parameters.back().size(), std::string("1.19\t").size() + 64 * 3 - 1);
}

TEST_F(CliAgainstSim, SavedArchivesShowWhatTheViewShows) {
  SimProcess sim(simOptions({"--pty"}));
  const struct {
    std::vector<std::string> command;
    MessageFileKind kind;
    const char* readingCaption;
    std::size_t rows;
  } cases[] = {
      {{"diag", "--last", "30"},
       MessageFileKind::kDiagnostic,
       "Диагностические сообщения с индексами от 3970 до 3999",
       30},
      {{"interv", "--index", "500", "25"},
       MessageFileKind::kIntervention,
       "Сообщения о вмешательствах оператора с индексами от 500 до 524",
       25},
      {{"interv", "--period", "2024-03-10 00:00:00", "2024-03-10 12:00:00"},
       MessageFileKind::kIntervention,
       "Сообщения о вмешательствах оператора за период с 10.03.24 00:00:00 по 10.03.24 12:00:00",
       0},
      {{"diag", "--period", "2024-03-09 22:00:00", "2024-03-10 01:30:00"},
       MessageFileKind::kDiagnostic,
       "Диагностические сообщения за период с 09.03.24 22:00:00 по 10.03.24 01:30:00",
       0},
  };
  for (const auto& c : cases) {
    const std::string name = c.command[0] + "-" + c.command[1];
    SCOPED_TRACE(name);
    const CliRun printed = overPty(sim, c.command);
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::vector<std::string> shown = lines(printed.out);
    ASSERT_GT(shown.size(), 1u) << printed.err;
    EXPECT_EQ(shown[0], c.readingCaption);
    if (c.rows > 0) {
      EXPECT_EQ(shown.size(), c.rows + 1);
    }

    std::vector<std::string> save = c.command;
    save.insert(save.end(), {"--save", file(name.c_str())});
    const CliRun saved = overPty(sim, save);
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    const std::string extension(messageFileFormat(c.kind).extension);
    EXPECT_TRUE(contains(saved.err, "kind 6: Данные сохранены в файле " + name + extension + "."))
        << saved.err;

    const std::string savedFile = file(name.c_str()) + extension;
    const CliRun reopened = run({"show", savedFile});
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, viewOfFile(c.kind, savedFile));
    EXPECT_EQ(lines(reopened.out).size(), shown.size());
  }
}

TEST_F(CliAgainstSim, PrintsTheReportOfASavedFileAsPdf) {
  SimProcess sim(simOptions({"--pty"}));
  const struct {
    const char* last;
    int pages;
  } cases[] = {{"57", 1}, {"59", 2}};
  for (const auto& c : cases) {
    const std::string saved = file(c.last) + std::string(".ala");
    ASSERT_EQ(overPty(sim, {"diag", "--last", c.last, "--save", saved}).status, 0);
    const CliRun printed = run({"print", saved, "--pdf", file(c.last)});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(pdfPages(file(c.last) + std::string(".pdf")), c.pages) << c.last;
  }
}

TEST_F(CliAgainstSim, BadArgumentsExitTwoBeforeTheLinkIsTried) {
  const struct {
    std::vector<std::string> arguments;
    const char* said;
  } cases[] = {
      {{"identify", "--yes", "--frobnicate"}, "unknown option --frobnicate"},
      {{"--tries", "9", "identify"}, "--tries: 1..5 expected, got 9"},
      {{"read-table", "8"}, "table 8 does not exist"},
      {{"read-table", "0", "10", "9"}, "table 0 has fields 0..17"},
      {{"diag", "--period", "2024-02-30 00:00:00", "2024-03-01 00:00:00"}, "no such date"},
      {{"diag", "--period", "2024-03-01 24:00:00", "2024-03-02 00:00:00"},
       "kind 2: Значение часа начала диапазона / вне допустимого диапазона"},
      {{"interv", "--period", "2024-03-02 00:00:00", "2024-03-01 23:59:59"},
       "kind 2: Дата и время конца опроса должны быть / больше даты и времени начала опроса"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"--serial", "/nonexistent/tty"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const CliRun refused = run(arguments);
    EXPECT_EQ(refused.status, 2) << c.said << "\n" << refused.err;
    EXPECT_TRUE(contains(refused.err, c.said)) << refused.err;
    EXPECT_EQ(refused.out, "");
  }
}

TEST_F(CliAgainstSim, IndexOutsideTheArchiveIsBadInput) {
  SimProcess sim(simOptions({"--pty"}));
  const CliRun refused = overPty(sim, {"diag", "--index", "5", "10"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(contains(refused.err,
                       "kind 2: Нелогичное значение индекса записи начала чтения / (см. значения "
                       "индексов начала и конца архива)."))
      << refused.err;
}

TEST_F(CliAgainstSim, UnusableFilesExitTwoWithTheProgramsMessage) {
  const std::filesystem::path intervention = folder_.file("real.aud");
  {
    SimProcess sim(simOptions({"--pty"}));
    ASSERT_EQ(overPty(sim, {"interv", "--last", "3", "--save", intervention.string()}).status, 0);
  }
  std::filesystem::copy_file(intervention, folder_.file("renamed.ala"));
  test::writeBytes(folder_.file("short.aud"), test::readBytes(intervention).substr(0, 100));
  test::writeBytes(folder_.file("notes.txt"), "text");
  const struct {
    const char* command;
    std::string file;
    const char* said;
  } cases[] = {
      {"show", file("missing.ala"), "kind 1: Ошибка открытия файла"},
      {"show", file("renamed.ala"),
       "kind 1: Файл renamed.ala не является файлом, содержащим / диагностические сообщения "
       "контроллера ЖВЦ_15"},
      {"show", file("short.aud"), "kind 1: Файл short.aud не является файлом, содержащим"},
      {"print", file("short.aud"), "kind 1: Файл short.aud не является файлом, содержащим"},
      {"show", file("notes.txt"), "is not a file of a kind zvc-cli knows (.ala, .aud)"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {c.command, c.file};
    if (std::string(c.command) == "print") arguments.insert(arguments.end(), {"--pdf", file("x")});
    const CliRun refused = run(arguments);
    EXPECT_EQ(refused.status, 2) << c.file;
    EXPECT_TRUE(contains(refused.err, c.said)) << refused.err;
    EXPECT_EQ(refused.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(file("x.pdf")));
}

TEST_F(CliAgainstSim, SilentControllerFailsWithinTheConfiguredTimeouts) {
  SimProcess sim(simOptions({"--pty", "--tcp", "0", "--fault", "* silent"}));
  const std::vector<std::string> command = {"--tries", "2", "--first-byte-s", "1", "identify"};
  for (const CliRun& failed : {overPty(sim, command), overTcp(sim, command)}) {
    EXPECT_EQ(failed.status, 1) << failed.err;
    // Two tries of one second each, the line's settling time, and some slack.
    EXPECT_GE(failed.took, 2s);
    EXPECT_LT(failed.took, 6s);
    EXPECT_TRUE(contains(failed.err, "kind 7: Не выполнено чтение из таблицы 0.")) << failed.err;
    EXPECT_TRUE(contains(failed.err, "status: Команда 1.")) << failed.err;
    EXPECT_EQ(failed.out, "");
  }
}

TEST_F(CliAgainstSim, AMissingSerialDeviceIsNamed) {
  const CliRun failed = run({"--serial", "/dev/pts/999", "identify"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_TRUE(contains(failed.err, "kind 1: Коммуникационный порт СОМ1 недоступен / /dev/pts/999"))
      << failed.err;
}

// The exchange went through, so there is no engine error line to show; the message says why.
TEST_F(CliAgainstSim, AnAnswerForAnotherRangeIsToldByItsMessageAlone) {
  SimProcess sim(simOptions({"--pty", "--fault", "1 range"}));
  const CliRun failed = overPty(sim, {"identify"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_TRUE(
      contains(failed.err, "kind 7: Несоответствие запрошенных и переданных данных. / Табл. 0"))
      << failed.err;
  EXPECT_FALSE(contains(failed.err, "status:")) << failed.err;
}

TEST_F(CliAgainstSim, TcpConnectGivesUpAfterTheStoredConnectWait) {
  std::filesystem::create_directories(folder_.file("INI"));
  test::writeBytes(folder_.file("INI") / "zvc.ini", "[ETHERNET_CONN_PAR]\r\nConnectWaitTime=1\r\n");
  const CliRun failed = run({"--tcp", "127.0.0.1:" + std::to_string(closedTcpPort()), "identify"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_LT(failed.took, 4s);
  EXPECT_TRUE(contains(failed.err, "kind 1: Превышено время ожидания соединения сервер/клиент"))
      << failed.err;
}

TEST_F(CliAgainstSim, ReadingCutShortShowsWhatArrivedAndExitsOne) {
  // The third archive request of the reading gets no answer.
  SimProcess sim(simOptions({"--pty", "--fault", "17-1000 silent"}));
  const CliRun cut = overPty(sim, {"--tries", "1", "--first-byte-s", "1", "diag", "--last", "30"});
  EXPECT_EQ(cut.status, 1);
  EXPECT_TRUE(contains(cut.err, "kind 6: Диагностические сообщения / прочитаны не полностью"))
      << cut.err;
  EXPECT_TRUE(contains(cut.err, "status: Команда 7.")) << cut.err;
  const std::size_t rows = lines(cut.out).size() - 1;
  EXPECT_GT(rows, 0u);
  EXPECT_LT(rows, 30u);
}

TEST_F(CliAgainstSim, ControllersNotServedExitThree) {
  SimProcess newer(simOptions({"--pty", "--software-version", "16"}));
  const CliRun refused = overPty(newer, {"identify"});
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.out, "");
  EXPECT_TRUE(contains(refused.err,
                       "kind 6: Версия ПО подключенного контроллера 16 / Программа обслуживает "
                       "контроллеры ЖВЦ только с версией ПО 15"))
      << refused.err;

  // Software 14 is identified, but nothing is read from it before it is restored.
  SimProcess older(simOptions({"--pty", "--fault", "version14"}));
  const CliRun identified = overPty(older, {"identify"});
  EXPECT_EQ(identified.status, 0) << identified.err;
  EXPECT_TRUE(contains(identified.out, "Версия программного обеспечения\t14\n"));
  EXPECT_EQ(overPty(older, {"diag", "--last", "5"}).status, 3);
}

TEST_F(CliAgainstSim, Cp1251OutputForOtherConsumers) {
  SimProcess sim(simOptions({"--pty"}));
  const CliRun utf8 = overPty(sim, {"identify"});
  const CliRun cp1251 = overPty(sim, {"identify", "--encoding", "cp1251"});
  ASSERT_EQ(cp1251.status, 0) << cp1251.err;
  EXPECT_EQ(cp1251.out, utf8ToCp1251(utf8.out));
  EXPECT_TRUE(contains(cp1251.out, "\xCA\xEE\xE4 \xF2\xE8\xEF\xE0"));  // "Код типа"
}

TEST_F(CliAgainstSim, AnExistingFileIsReplacedOnlyWithYes) {
  SimProcess sim(simOptions({"--pty"}));
  const std::string saved = file("same.ala");
  ASSERT_EQ(overPty(sim, {"diag", "--last", "2", "--save", saved}).status, 0);
  const std::string before = test::readBytes(saved);

  // Refused before the link is opened: a line that does not exist is never tried.
  for (const char* name : {"same.ala", "same"}) {
    const CliRun kept =
        run({"--serial", "/nonexistent/tty", "diag", "--last", "5", "--save", file(name)});
    EXPECT_EQ(kept.status, 2) << name;
    EXPECT_TRUE(contains(kept.err,
                         "kind 3: Файл same.ala уже есть. / Вы хотите заменить "
                         "существующий файл?"))
        << kept.err;
    EXPECT_FALSE(contains(kept.err, "недоступен")) << kept.err;
    EXPECT_EQ(test::readBytes(saved), before);
  }

  const CliRun replaced = overPty(sim, {"--yes", "diag", "--last", "5", "--save", saved});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_EQ(lines(run({"show", saved}).out).size(), 6u);

  const CliRun nowhere = overPty(sim, {"diag", "--last", "5", "--save", file("no/such/folder/x")});
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_TRUE(contains(nowhere.err, "kind 1: Ошибка открытия файла")) << nowhere.err;
}

TEST_F(CliAgainstSim, ATabOrLineBreakInASavedTextKeepsTheRowOnOneLine) {
  const std::filesystem::path saved = folder_.file("odd.aud");
  {
    SimProcess sim(simOptions({"--pty"}));
    ASSERT_EQ(overPty(sim, {"interv", "--last", "1", "--save", saved.string()}).status, 0);
  }
  std::string bytes = test::readBytes(saved);
  const std::size_t nameSlot = ArchiveFileHeader::kSize + InterventionTextRow::kSlots[2].offset;
  bytes.replace(nameSlot, 3, "a\tb");
  bytes[nameSlot + 3] = '\n';
  test::writeBytes(saved, bytes.substr(0, ArchiveFileHeader::kSize + InterventionTextRow::kSize));
  const CliRun shown = run({"show", saved.string()});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const std::vector<std::string> rows = lines(shown.out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(std::count(rows[1].begin(), rows[1].end(), '\t'), 6);
  EXPECT_NE(rows[1].find("\ta b "), std::string::npos) << rows[1];
}

}  // namespace
}  // namespace zvc
