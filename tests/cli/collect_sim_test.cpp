// zvc-cli collect and the modem link options against simulated stations: two controllers over
// TCP, one behind a GSM modem on a pseudo-terminal, and one subscriber nobody answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>

#include "cli_sim_fixture.h"
#include "core/common/text_codec.h"

namespace zvc::test {
namespace {

// Record or text-row size of each kind's saved files, after their 905-byte header.
const std::map<std::string, std::size_t> kRowSizes = {
    {"diag", 300},      {"interv", 205},    {"meas", 94},      {"hour", 94},   {"day", 94},
    {"moist-meas", 29}, {"moist-hour", 28}, {"moist-day", 28}, {"calib", 170}, {"verif", 90}};
constexpr std::size_t kHeaderSize = 905;
constexpr const char* kSince = "2026-12-10";
// The TCP stations hold little since kSince (each exchange there waits 500 ms); the modem
// station a day and a half, with a complete gas day.
constexpr const char* kTcpStart = "2026-12-10 00:20:00";
constexpr const char* kTcpLater = "2026-12-10 01:20:00";
constexpr const char* kModemStart = "2026-12-11 09:50:00";
constexpr const char* kModemLater = "2026-12-11 11:50:00";

// A TCP port on which nobody listens.
int deadPort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t size = sizeof address;
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

// Every saved row of a subscriber's kind, with how often it was saved.
using SavedRows = std::map<std::string, int>;
SavedRows savedRows(const std::filesystem::path& kindFolder, std::size_t rowSize) {
  SavedRows rows;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kindFolder, error)) {
    const std::string bytes = readBytes(entry.path());
    for (std::size_t at = kHeaderSize; at + rowSize <= bytes.size(); at += rowSize) {
      ++rows[bytes.substr(at, rowSize)];
    }
  }
  return rows;
}

std::size_t total(const SavedRows& rows) {
  std::size_t count = 0;
  for (const auto& [row, times] : rows) count += static_cast<std::size_t>(times);
  return count;
}

class CollectAgainstSims : public CliAgainstSim {
 protected:
  // The address books and the modem's port for the running simulators.
  void writeSettings(const SimProcess* tcpA, const SimProcess* tcpB, const SimProcess& modem) {
    const std::filesystem::path ini = folder_.path() / "INI";
    std::filesystem::create_directories(ini);
    writeIni(ini / "zvc.ini", "[FON_CONN_PAR]\nCOMPort=7\nRate=9600\n[PORTS]\nCOM7=" +
                                  modem.ptyPath() + "\n[ETHERNET_CONN_PAR]\nConnectWaitTime=1\n");
    writeIni(ini / "fon_abonents.ini",
             "[FON_CONN_PAR]\nusers_num=1\n[FON_ABONENT_1]\nuser_name=Гамма\ncontr_adr=1\n"
             "phone_code=8 (044) 123-45-67\n");
    std::string ethernet = "[ETHERNET_CONN_PAR]\nusers_num=3\n";
    const std::pair<const char*, int> stations[] = {{"Альфа", tcpA ? tcpA->tcpPort() : 0},
                                                    {"Бета", tcpB ? tcpB->tcpPort() : 0},
                                                    {"Мёртвая", deadPort()}};
    int slot = 0;
    for (const auto& [name, port] : stations) {
      ethernet += "[ETHERNET_ABONENT_" + std::to_string(++slot) + "]\nuser_name=" + name +
                  "\ncontr_adr=1\nip_adr=2130706433\nport=" + std::to_string(port) + "\n";
    }
    writeIni(ini / "ethr_abonents.ini", ethernet);
  }

  static void writeIni(const std::filesystem::path& file, const std::string& text) {
    std::string crlf;
    for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::ofstream(file, std::ios::binary) << utf8ToCp1251(crlf);
  }

  CliRun collect(const std::string& out, std::vector<std::string> more = {},
                 std::optional<std::chrono::milliseconds> interruptAfter = std::nullopt) {
    std::vector<std::string> arguments = {"collect", "--out", file(out.c_str()), "--since", kSince};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.insert(arguments.begin(), {"--workdir", folder_.path().string()});
    return runCli(arguments, std::chrono::seconds(180), {}, interruptAfter);
  }

  // The summary rows: subscriber -> kind -> "records<TAB>result".
  static std::map<std::string, std::map<std::string, std::string>> summary(const CliRun& run) {
    std::map<std::string, std::map<std::string, std::string>> rows;
    for (const std::string& line : lines(run.out)) {
      const std::size_t first = line.find('\t');
      const std::size_t second = line.find('\t', first + 1);
      if (second == std::string::npos) continue;
      rows[line.substr(0, first)][line.substr(first + 1, second - first - 1)] =
          line.substr(second + 1);
    }
    return rows;
  }

  // What two collections saved together equals what one collection of everything saves: no row
  // lost, none twice.
  void expectSameRows(const std::string& subscriber, const std::string& pieces,
                      const std::string& whole) {
    for (const auto& [kind, size] : kRowSizes) {
      const SavedRows collected = savedRows(folder_.path() / pieces / subscriber / kind, size);
      const SavedRows once = savedRows(folder_.path() / whole / subscriber / kind, size);
      EXPECT_EQ(total(collected), total(once)) << subscriber << " " << kind;
      EXPECT_TRUE(collected == once) << subscriber << " " << kind;
    }
  }
};

TEST_F(CollectAgainstSims, AllKindsThenOnlyWhatIsNewWhileOneSubscriberIsUnreachable) {
  auto tcpA =
      std::make_unique<SimProcess>(std::vector<std::string>{"--tcp", "0", "--time", kTcpStart});
  auto tcpB = std::make_unique<SimProcess>(
      std::vector<std::string>{"--tcp", "0", "--time", kTcpStart, "--seed", "2"});
  auto modem = std::make_unique<SimProcess>(
      std::vector<std::string>{"--pty", "--modem", "--time", kModemStart});
  writeSettings(tcpA.get(), tcpB.get(), *modem);
  const CliRun first = collect("out", {"--jobs", "3"});
  EXPECT_EQ(first.status, 1) << first.err;
  auto rows = summary(first);
  EXPECT_EQ(rows["subscriber"]["kind"], "records\tresult");
  EXPECT_EQ(rows["Мёртвая"]["-"], "0\tno link");
  EXPECT_NE(first.err.find("Мёртвая: kind 1: Превышено время ожидания соединения сервер/клиент"),
            std::string::npos)
      << first.err;
  ASSERT_EQ(rows["Гамма"].size(), 13u) << first.out;
  for (const auto& [kind, result] : rows["Гамма"]) {
    EXPECT_TRUE(result.ends_with("\tok")) << kind << " " << result;
    EXPECT_FALSE(result.starts_with("0\t")) << kind << ": the modem station holds every kind";
  }
  for (const char* station : {"Альфа", "Бета"}) {
    ASSERT_EQ(rows[station].size(), 13u) << first.out;
    EXPECT_EQ(rows[station]["meas-1"].back(), 'k') << rows[station]["meas-1"];
  }

  // The clocks move on; the stations are restarted with the same archives and newer records.
  tcpA = std::make_unique<SimProcess>(std::vector<std::string>{"--tcp", "0", "--time", kTcpLater});
  tcpB = std::make_unique<SimProcess>(
      std::vector<std::string>{"--tcp", "0", "--time", kTcpLater, "--seed", "2"});
  modem = std::make_unique<SimProcess>(
      std::vector<std::string>{"--pty", "--modem", "--time", kModemLater});
  writeSettings(tcpA.get(), tcpB.get(), *modem);
  const CliRun second = collect("out", {"--jobs", "4"});
  EXPECT_EQ(second.status, 1) << second.err;
  rows = summary(second);
  EXPECT_EQ(rows["Гамма"]["hour-1"], "2\tok") << "two more complete hours";
  EXPECT_EQ(rows["Гамма"]["day-1"], "0\tok") << "no further complete gas day";

  const CliRun whole =
      collect("whole", {"--only", "Альфа", "--only", "Бета", "--only", "Гамма", "--jobs", "3"});
  EXPECT_EQ(whole.status, 0) << whole.err;
  for (const char* station : {"Альфа", "Бета", "Гамма"}) expectSameRows(station, "out", "whole");
}

TEST_F(CollectAgainstSims, ARunCutByALinkFaultResumesWithoutLossOrDuplicates) {
  auto modem = std::make_unique<SimProcess>(std::vector<std::string>{
      "--pty", "--modem", "--time", kModemStart, "--fault", "40-100000 silent"});
  writeSettings(nullptr, nullptr, *modem);
  const CliRun cut = collect("out", {"--list", "phone"});
  EXPECT_EQ(cut.status, 1) << cut.err;
  auto rows = summary(cut);
  const auto& gamma = rows["Гамма"];
  EXPECT_TRUE(std::any_of(gamma.begin(), gamma.end(), [](const auto& row) {
    return row.second.ends_with("cut short: link failed");
  })) << cut.out;
  EXPECT_EQ(rows["Гамма"]["verif"], "0\tnot read: link lost") << cut.out;

  modem = std::make_unique<SimProcess>(
      std::vector<std::string>{"--pty", "--modem", "--time", kModemStart});
  writeSettings(nullptr, nullptr, *modem);
  const CliRun resumed = collect("out", {"--list", "phone"});
  EXPECT_EQ(resumed.status, 0) << resumed.err;
  const CliRun whole = collect("whole", {"--list", "phone"});
  EXPECT_EQ(whole.status, 0) << whole.err;
  expectSameRows("Гамма", "out", "whole");
}

// Ctrl-C in the middle of a reading: the reading ends, what arrived is saved, the call is hung
// up, and the next run goes on from there.
TEST_F(CollectAgainstSims, CtrlCHangsUpAndTheNextRunGoesOn) {
  const std::string log = file("modem.log");
  // Slow answers keep the collection busy long enough to be interrupted in a reading.
  auto modem = std::make_unique<SimProcess>(std::vector<std::string>{
      "--pty", "--modem-log", log, "--time", kModemStart, "--fault", "30-100000 delay 20"});
  writeSettings(nullptr, nullptr, *modem);
  const CliRun interrupted = collect("out", {"--list", "phone"}, std::chrono::milliseconds(8000));
  EXPECT_EQ(interrupted.status, 1) << interrupted.err;
  EXPECT_NE(interrupted.out.find("\tinterrupted"), std::string::npos) << interrupted.out;
  const std::vector<std::string> commands = lines(readBytes(log));
  ASSERT_FALSE(commands.empty());
  EXPECT_TRUE(commands.back().starts_with("ATH") || commands.back().starts_with("ath"))
      << commands.back();

  const CliRun resumed = collect("out", {"--list", "phone"});
  EXPECT_EQ(resumed.status, 0) << resumed.err;
  const CliRun whole = collect("whole", {"--list", "phone"});
  EXPECT_EQ(whole.status, 0) << whole.err;
  expectSameRows("Гамма", "out", "whole");
}

TEST_F(CollectAgainstSims, PhoneLinkDialsTheModemAndTellsWhyACallFails) {
  const struct {
    const char* answer;
    const char* text;
  } failures[] = {{"BUSY", "Номер абонента занят"}, {"NO_CARRIER", "Потеря несущей"}};
  for (const auto& failure : failures) {
    SimProcess modem({"--pty", "--modem", "--modem-dial", failure.answer});
    const CliRun call = overPty(modem, {"--phone", "044 123-45-67", "identify"});
    EXPECT_EQ(call.status, 1) << failure.answer;
    EXPECT_NE(
        call.err.find(std::string("kind 3: ") + failure.text + " / Повторить попытку соединения?"),
        std::string::npos)
        << call.err;
  }

  SimProcess modem({"--pty", "--modem"});
  SimProcess tcp({"--tcp", "0"});
  writeSettings(&tcp, nullptr, modem);
  for (const std::vector<std::string>& link : {std::vector<std::string>{"--phone", "Гамма"},
                                               {"--subscriber", "Гамма"},
                                               {"--subscriber", "Альфа"}}) {
    std::vector<std::string> arguments = link;
    arguments.push_back("identify");
    const CliRun identified = run(arguments);
    EXPECT_EQ(identified.status, 0) << link[1] << ": " << identified.err;
    EXPECT_NE(identified.out.find("73"), std::string::npos) << identified.out;
  }
  const CliRun unknown = run({"--subscriber", "Омега", "identify"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("no subscriber \"Омега\""), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace zvc::test
