// The message archive readers against a running zvc-sim: what goes on the line, read back from
// its log, and what the user is told.
#include "core/archives/message_archive_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/archives/archive_dialogs.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "sim_process.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::RecordingFrontend;
using test::SimProcess;
using Bytes = std::vector<int>;

constexpr std::uint8_t kSimCom = 44;
// The simulator's archives end at its start time.
const DateTime6 kThreeDaysAgo{26, 3, 12, 12, 0, 0};
const DateTime6 kNow{26, 3, 15, 12, 34, 56};

class MessageReaderSim : public ::testing::Test {
 protected:
  void start(std::vector<std::string> options = {}) {
    options.insert(options.end(),
                   {"--pty", "--log", logPath, "--time", "2026-03-15 12:34:56", "--seed", "7"});
    sim = std::make_unique<SimProcess>(options);
    engine.linkType = kpsbox::kDirectLine;
    engine.comPort = kSimCom;
    engine.comPortOverrides[kSimCom] = sim->ptyPath();
    engine.baudRate = 115200;
    engine.tries = 1;
    engine.responseTimeoutMs = 500;
    engine.interByteTimeoutMs = 100;
    engine.openPortPerExchange = false;
    ASSERT_TRUE(engine.OpenPort());
    image.field(41, 0)[0] = 1;  // a serial number is known: no extra read of table 41
  }

  // Payloads of the requests of one function, in order.
  std::vector<Bytes> requests(const std::string& function) {
    std::ifstream file(logPath);
    std::vector<Bytes> found;
    for (std::string line; std::getline(file, line);) {
      std::istringstream in(line);
      std::string name;
      in >> name;
      if (name != function) continue;
      Bytes payload;
      for (std::string hex; in >> hex;) payload.push_back(std::stoi(hex, nullptr, 16));
      found.push_back(payload);
    }
    return found;
  }

  static void expectSoundAndInOrder(const ArchiveRecords& records) {
    for (std::size_t i = 0; i < records.count(); ++i) {
      EXPECT_TRUE(recordIsSound(records[i])) << i;
      if (i > 0) {
        EXPECT_LE(DateTime6::fromBytes(records[i - 1].data()),
                  DateTime6::fromBytes(records[i].data()))
            << i;
      }
    }
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> lines;
    for (const auto& m : frontend.messages) lines.push_back(m.line1 + " / " + m.line2);
    return lines;
  }

  const std::string logPath =
      ::testing::TempDir() + "zvc_message_reader_" + std::to_string(getpid()) + "_" +
      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  std::unique_ptr<SimProcess> sim;
  test::TempFolder folder;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  RecordingFrontend frontend;
  TableService service{connection, image, settings, frontend};
  MessageArchiveReader reader{connection, service, folder.path()};
};

// Over TCP an answer that came twice, or after the engine had given up on it and repeated the
// request, lies in the socket when the next request goes out. The reading must still be the
// archive: the same records as from a line without faults.
TEST_F(MessageReaderSim, StaleAnswersOverTcpLeaveTheReadingWhole) {
  const auto readOverTcp = [this](const std::vector<std::string>& faults) {
    std::vector<std::string> options = {"--tcp",  "0", "--time", "2026-03-15 12:34:56",
                                        "--seed", "7"};
    options.insert(options.end(), faults.begin(), faults.end());
    SimProcess served(options);
    engine.linkType = kpsbox::kTcp;
    engine.tcpSocket = served.connectTcp();
    engine.openPortPerExchange = false;
    engine.tries = 2;
    engine.responseTimeoutMs = 500;
    engine.interByteTimeoutMs = 100;
    std::vector<std::uint8_t> records;
    if (const auto reading = reader.readMessagesByIndex(1, 2470, 25)) {
      records.assign(reading->records.bytes().begin(), reading->records.bytes().end());
    }
    close(engine.tcpSocket);
    return records;
  };
  image.field(41, 0)[0] = 1;
  const auto archive = readOverTcp({});
  ASSERT_FALSE(archive.empty()) << engine.ErrorText();
  // Request 1 is the first of the three archive requests.
  for (const char* fault : {"1 twice", "1 late"}) {
    EXPECT_EQ(readOverTcp({"--fault", fault}), archive) << fault;
    EXPECT_TRUE(frontend.messages.empty()) << fault;
  }
}

TEST_F(MessageReaderSim, IndexReadingsPageThroughTheBoundsOfTable11) {
  start();
  const auto bounds = reader.readBounds(1);
  ASSERT_TRUE(bounds) << engine.ErrorText();
  EXPECT_EQ(bounds->oldest, 500u);
  EXPECT_EQ(bounds->newest, 2499u);

  const auto reading = reader.readMessagesByIndex(1, 2470, 25);
  ASSERT_TRUE(reading);
  const auto sent = requests("F=7");
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0], (Bytes{0, 1, 0xA6, 0x09, 0, 0, 10}));  // 2470
  EXPECT_EQ(sent[1], (Bytes{0, 1, 0xB0, 0x09, 0, 0, 10}));
  EXPECT_EQ(sent[2], (Bytes{0, 1, 0xBA, 0x09, 0, 0, 5}));
  EXPECT_EQ(reading->records.count(), 25u);
  expectSoundAndInOrder(reading->records);
  EXPECT_EQ(reading->header.periodStart(), DateTime6::fromBytes(reading->records[0].data()));
  EXPECT_EQ(reading->header.periodEnd(), DateTime6::fromBytes(reading->records[24].data()));
  EXPECT_TRUE(frontend.messages.empty());

  // The newest index with a count of five: the dialog cuts the count, one record is read.
  const IndexCheck newest = checkIndexInput(std::to_string(bounds->newest), "5", *bounds);
  ASSERT_FALSE(newest.error);
  const auto one = reader.readMessagesByIndex(1, newest.first, newest.count);
  ASSERT_TRUE(one);
  EXPECT_EQ(requests("F=7").back(), (Bytes{0, 1, 0xC3, 0x09, 0, 0, 1}));
  EXPECT_EQ(one->records.count(), 1u);
}

// More than 256 answers: the sequence numbers go 0, 1 ... 255 and then start again at 1.
TEST_F(MessageReaderSim, LongSeriesNumbersItsRequestsPast255) {
  start({"--fault", "long-series 300"});
  const auto reading = reader.readMessagesByPeriod(0, kThreeDaysAgo, kNow);
  ASSERT_TRUE(reading) << engine.ErrorText();
  const auto sent = requests("F=8");
  ASSERT_GT(sent.size(), 300u);
  for (std::size_t i = 0; i < sent.size(); ++i) {
    const int expected = i == 0 ? 0 : static_cast<int>((i - 1) % 255 + 1);
    ASSERT_EQ(sent[i][2], expected) << "request " << i;
    EXPECT_EQ(Bytes(sent[i].begin() + 3, sent[i].end()), Bytes(sent[0].begin() + 3, sent[0].end()))
        << "the same period in every request";
  }
  EXPECT_GT(reading->records.count(), 300u);
  expectSoundAndInOrder(reading->records);
  EXPECT_EQ(reading->header.recordCount(), reading->records.count());
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_EQ(frontend.progressMaximum, 72);
  EXPECT_LE(frontend.progressPositions.back(), 72);
}

TEST_F(MessageReaderSim, ArchiveErrorFlagIsReportedAndTheRecordsShown) {
  start({"--fault", "archive-error-flag"});
  const auto reading = reader.readMessagesByPeriod(1, kThreeDaysAgo, kNow);
  ASSERT_TRUE(reading);
  EXPECT_GT(reading->records.count(), 100u);
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Обнаружена ошибка / в архиве сообщений о вмешательствах"});
}

TEST_F(MessageReaderSim, FailureBeforeAndAfterData) {
  // Request 1 gets no answer; the second reading loses its third request.
  start({"--fault", "1 silent", "--fault", "4 silent"});
  EXPECT_FALSE(reader.readMessagesByPeriod(0, kThreeDaysAgo, kNow));
  EXPECT_EQ(messages(), std::vector<std::string>{"Диагностические сообщения / не прочитаны"});

  frontend = RecordingFrontend{};
  const auto partial = reader.readMessagesByPeriod(0, kThreeDaysAgo, kNow);
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->records.count(), 22u) << "two answers of eleven";
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Диагностические сообщения / прочитаны не полностью"});
  EXPECT_EQ(frontend.status[kResultPanel], std::string(engine.ErrorText()));
  EXPECT_EQ(frontend.messageTimerStarts, 1);
}

}  // namespace
}  // namespace zvc
