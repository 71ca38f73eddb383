#include "core/archives/message_archive_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/common/crc16.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::Bytes;
using test::responseFrame;
using Reply = test::ScriptedController::Reply;

constexpr int kPtyCom = 43;
constexpr std::size_t kDiagnosticSize = 22;
constexpr std::size_t kInterventionSize = 24;
const DateTime6 kBegin{26, 3, 14, 10, 30, 0};
const DateTime6 kEnd{26, 3, 15, 10, 0, 0};  // 24 hours on the progress bar

// A sound record of `size` bytes stamped with `time`; `tag` marks it in byte 7.
Bytes record(std::size_t size, const DateTime6& time, std::uint8_t tag) {
  Bytes bytes(size, 0);
  time.toBytes(bytes.data());
  bytes[7] = tag;
  appendCrc16(bytes.data(), size - 2);
  return bytes;
}

// `count` records an hour apart from kBegin, tags from `firstTag`.
Bytes records(std::size_t size, int count, int firstTag = 0) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) {
    const Bytes one = record(size, addHours(kBegin, firstTag + i), std::uint8_t(firstTag + i));
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  return bytes;
}

Reply indexAnswer(std::size_t size, int count, int firstTag = 0) {
  Bytes payload = {0, 0, 0, 0, 0, 0, std::uint8_t(count)};
  const Bytes body = records(size, count, firstTag);
  payload.insert(payload.end(), body.begin(), body.end());
  return {responseFrame(1, 0x87, payload)};
}

Reply periodAnswer(std::size_t size, int count, bool more, int firstTag = 0,
                   std::uint8_t flags = 0) {
  Bytes payload = {flags, 0, std::uint8_t(count), std::uint8_t(more ? 1 : 0)};
  const Bytes body = records(size, count, firstTag);
  payload.insert(payload.end(), body.begin(), body.end());
  return {responseFrame(1, 0x88, payload)};
}

Reply tableAnswer(std::uint8_t table, std::uint8_t first, const Bytes& data) {
  Bytes payload = {0, table, first, std::uint8_t(data.size() / 4)};  // 4-byte fields
  payload.insert(payload.end(), data.begin(), data.end());
  return {responseFrame(1, 0x81, payload)};
}

const Reply kSilence{};

// Escape is pressed while the reader lets the user interface run.
class EscapeFrontend : public test::RecordingFrontend {
 public:
  void processEvents() override {
    RecordingFrontend::processEvents();
    if (escape) *escape = true;
  }
  bool* escape = nullptr;
};

class MessageReader : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.comPort = kPtyCom;
    engine.comPortOverrides[kPtyCom] = pty.slavePath();
    engine.baudRate = 115200;
    engine.responseTimeoutMs = 300;
    engine.tries = 1;
    engine.openPortPerExchange = false;
    ASSERT_TRUE(engine.OpenPort());
    const std::uint32_t serial = 73150001;
    std::memcpy(image.field(41, 0).data(), &serial, 4);
    image.field(14, 6)[0] = 7;
    reader.clock = [] { return DateTime6{26, 3, 15, 12, 0, 0}; };
  }

  void answer(std::vector<Reply> replies) {
    controller = std::make_unique<test::ScriptedController>(pty.master(), std::move(replies));
  }

  // Payloads of the requests so far (function byte first).
  std::vector<Bytes> requests() {
    controller->finish();
    std::vector<Bytes> payloads;
    for (const auto& request : controller->requests()) {
      std::size_t start = 0;
      while (request.wire[start] == 0xFF) ++start;
      const std::size_t length = request.wire[start + 2];
      payloads.emplace_back(request.wire.begin() + start + 3,
                            request.wire.begin() + start + length - 2);
    }
    return payloads;
  }

  // Function 7 requests as (first index, count).
  std::vector<std::pair<std::uint32_t, int>> indexRequests() {
    std::vector<std::pair<std::uint32_t, int>> seen;
    for (const Bytes& p : requests()) {
      if (p[0] != 7) continue;
      std::uint32_t first;
      std::memcpy(&first, &p[3], 4);
      seen.emplace_back(first, p[7]);
    }
    return seen;
  }

  std::string readBytes(const char* name) { return test::readBytes(folder.file(name)); }

  void expectLeftClean() {
    EXPECT_FALSE(connection.archiveReadInProgress);
    EXPECT_FALSE(connection.stopRequested);
    EXPECT_FALSE(frontend.progressShown);
    EXPECT_FALSE(frontend.busy);
    EXPECT_EQ(frontend.progressModes, std::vector<int>{1});
  }

  using Message = test::RecordingFrontend::Message;
  static std::vector<std::string> texts(const std::vector<Message>& messages) {
    std::vector<std::string> lines;
    for (const Message& m : messages) {
      lines.push_back(std::to_string(m.kind) + " " + m.line1 + " / " + m.line2);
    }
    return lines;
  }

  test::PseudoTerminal pty;
  test::TempFolder folder;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  EscapeFrontend frontend;
  TableService service{connection, image, settings, frontend};
  MessageArchiveReader reader{connection, service, folder.path()};
  std::unique_ptr<test::ScriptedController> controller;
};

TEST_F(MessageReader, TwentyFiveInterventionRecordsAreAskedAsTenTenFive) {
  answer({indexAnswer(kInterventionSize, 10), indexAnswer(kInterventionSize, 10, 10),
          indexAnswer(kInterventionSize, 5, 20)});
  const auto reading = reader.readMessagesByIndex(1, 600, 25);
  ASSERT_TRUE(reading);
  EXPECT_EQ(indexRequests(),
            (std::vector<std::pair<std::uint32_t, int>>{{600, 10}, {610, 10}, {620, 5}}));
  EXPECT_EQ(reading->records.count(), 25u);
  EXPECT_EQ(reading->records[24][7], 24);
  EXPECT_EQ(reading->firstIndex, 600u);
  EXPECT_EQ(reading->viewMode, 0);
  const ArchiveFileHeader& header = reading->header;
  EXPECT_EQ(header.signature(), "AUD");
  EXPECT_EQ(header.recordCount(), 25u);
  EXPECT_EQ(header.periodStart(), kBegin) << "time of the first record read";
  EXPECT_EQ(header.periodEnd(), addHours(kBegin, 24)) << "time of the last record read";
  EXPECT_EQ(header.readTime(), (DateTime6{26, 3, 15, 12, 0, 0}));
  EXPECT_EQ(header.address(), 1);
  EXPECT_EQ(readBytes("datafile.aud").size(), 25 * kInterventionSize);
  EXPECT_EQ(frontend.progressMaximum, 25);
  EXPECT_EQ(frontend.progressPositions, (std::vector<int>{0, 10, 20, 25}));
  EXPECT_TRUE(frontend.messages.empty());
  expectLeftClean();
}

TEST_F(MessageReader, ShortAnswerMovesTheNextRequestOnByWhatCame) {
  answer({indexAnswer(kInterventionSize, 7), indexAnswer(kInterventionSize, 10, 7),
          indexAnswer(kInterventionSize, 8, 17)});
  const auto reading = reader.readMessagesByIndex(1, 600, 25);
  ASSERT_TRUE(reading);
  EXPECT_EQ(indexRequests(),
            (std::vector<std::pair<std::uint32_t, int>>{{600, 10}, {607, 10}, {617, 8}}));
  EXPECT_EQ(reading->records.count(), 25u);
}

TEST_F(MessageReader, DiagnosticRequestsCarryElevenAndTheKind) {
  answer({indexAnswer(kDiagnosticSize, 11), indexAnswer(kDiagnosticSize, 1, 11)});
  const auto reading = reader.readMessagesByIndex(0, 0xFFFFFFF5, 12);
  ASSERT_TRUE(reading);
  const auto sent = requests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], (Bytes{7, 0, 0, 0xF5, 0xFF, 0xFF, 0xFF, 11}));
  EXPECT_EQ(sent[1], (Bytes{7, 0, 0, 0, 0, 0, 0, 1})) << "the index wraps like the controller's";
  EXPECT_EQ(reading->header.signature(), "ALA");
  EXPECT_EQ(readBytes("datafile.ala").size(), 12 * kDiagnosticSize);
}

TEST_F(MessageReader, IndexFailuresAndEmptyAnswersTellTheUser) {
  struct Case {
    const char* what;
    std::vector<Reply> replies;
    std::string message;
    std::size_t shown;  // records in the reading; 0: nothing shown
  };
  const std::vector<Case> cases = {
      {"fails at once", {kSilence}, "6 Сообщения о вмешательствах оператора / не прочитаны", 0},
      {"fails after data",
       {indexAnswer(kInterventionSize, 10), kSilence},
       "6 Сообщения о вмешательствах оператора / прочитаны не полностью",
       10},
      {"nothing there",
       {indexAnswer(kInterventionSize, 0)},
       "6 Нет сообщений с заданными индексами / ",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frontend = EscapeFrontend{};
    answer(c.replies);
    const auto reading = reader.readMessagesByIndex(1, 600, 25);
    EXPECT_EQ(texts(frontend.messages), std::vector<std::string>{c.message});
    EXPECT_EQ(reading ? reading->records.count() : 0u, c.shown);
    const bool failed = c.message.find("прочитаны") != std::string::npos;
    EXPECT_EQ(frontend.messageTimerStarts, failed ? 1 : 0);
    if (failed) {
      EXPECT_EQ(frontend.status[kResultPanel], std::string(engine.ErrorText()))
          << "the error line stays until the timer clears it";
    }
    expectLeftClean();
    controller.reset();
  }
}

TEST_F(MessageReader, EscapeAfterTheFirstAnswerShowsThatAnswer) {
  frontend.escape = &connection.stopRequested;
  answer({indexAnswer(kInterventionSize, 10), indexAnswer(kInterventionSize, 10, 10)});
  const auto reading = reader.readMessagesByIndex(1, 600, 25);
  ASSERT_TRUE(reading);
  EXPECT_EQ(indexRequests().size(), 1u);
  EXPECT_EQ(reading->records.count(), 10u);
  EXPECT_EQ(reading->header.recordCount(), 10u);
  EXPECT_TRUE(frontend.messages.empty());
  expectLeftClean();
}

TEST_F(MessageReader, PeriodSeriesRepeatsThePeriodAndNumbersItsRequests) {
  answer({periodAnswer(kDiagnosticSize, 11, true), periodAnswer(kDiagnosticSize, 3, false, 11)});
  const auto reading = reader.readMessagesByPeriod(0, kBegin, kEnd);
  ASSERT_TRUE(reading);
  const auto sent = requests();
  ASSERT_EQ(sent.size(), 2u);
  for (std::uint8_t sequence = 0; sequence < 2; ++sequence) {
    Bytes expected = {8, 0, 0, sequence};
    for (const DateTime6& date : {kBegin, kEnd}) {
      expected.insert(expected.end(),
                      {date.year, date.month, date.day, date.hour, date.minute, date.second});
    }
    EXPECT_EQ(sent[sequence], expected);
  }
  EXPECT_EQ(reading->records.count(), 14u);
  EXPECT_EQ(reading->viewMode, 1);
  EXPECT_EQ(reading->header.periodStart(), kBegin) << "the period asked for, not record times";
  EXPECT_EQ(reading->header.periodEnd(), kEnd);
  EXPECT_EQ(reading->header.recordCount(), 14u);
  EXPECT_EQ(frontend.progressMaximum, 24);
  EXPECT_EQ(frontend.progressPositions, (std::vector<int>{0, 10, 13}));
  EXPECT_TRUE(frontend.messages.empty());
  expectLeftClean();
}

TEST_F(MessageReader, PeriodOutcomesTellTheUser) {
  struct Case {
    const char* what;
    std::vector<Reply> replies;
    std::vector<std::string> messages;
    std::size_t shown;
  };
  const std::vector<Case> cases = {
      {"archive error bit",
       {periodAnswer(kInterventionSize, 2, true),
        periodAnswer(kInterventionSize, 1, false, 2, 0x80)},
       {"6 Обнаружена ошибка / в архиве сообщений о вмешательствах"},
       3},
      {"empty period",
       {periodAnswer(kInterventionSize, 0, false)},
       {"6 Нет данных за указанный период / "},
       0},
      {"fails at once", {kSilence}, {"6 Сообщения о вмешательствах оператора / не прочитаны"}, 0},
      {"fails after data",
       {periodAnswer(kInterventionSize, 10, true), kSilence},
       {"6 Сообщения о вмешательствах оператора / прочитаны не полностью"},
       10},
      {"empty answer after data ends quietly",
       {periodAnswer(kInterventionSize, 4, true), periodAnswer(kInterventionSize, 0, true)},
       {},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frontend = EscapeFrontend{};
    answer(c.replies);
    const auto reading = reader.readMessagesByPeriod(1, kBegin, kEnd);
    EXPECT_EQ(texts(frontend.messages), c.messages);
    EXPECT_EQ(reading ? reading->records.count() : 0u, c.shown);
    expectLeftClean();
    controller.reset();
  }
}

TEST_F(MessageReader, EscapeEndsThePeriodSeriesAfterTheCurrentAnswer) {
  frontend.escape = &connection.stopRequested;
  answer({periodAnswer(kDiagnosticSize, 11, true), periodAnswer(kDiagnosticSize, 11, true, 11)});
  const auto reading = reader.readMessagesByPeriod(0, kBegin, kEnd);
  ASSERT_TRUE(reading);
  EXPECT_EQ(requests().size(), 1u);
  EXPECT_EQ(reading->header.recordCount(), 11u);
  expectLeftClean();
}

TEST_F(MessageReader, EscapeLeftOverFromBeforeDoesNotEndTheNextReading) {
  connection.stopRequested = true;
  answer({periodAnswer(kDiagnosticSize, 11, true), periodAnswer(kDiagnosticSize, 2, false, 11)});
  const auto reading = reader.readMessagesByPeriod(0, kBegin, kEnd);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->records.count(), 13u);
}

TEST_F(MessageReader, SerialNumberIsReadWhenTheImageHasNone) {
  std::memset(image.field(41, 0).data(), 0, 4);
  answer({periodAnswer(kDiagnosticSize, 1, false), tableAnswer(41, 0, {0x21, 0x43, 0x65, 0})});
  const auto reading = reader.readMessagesByPeriod(0, kBegin, kEnd);
  ASSERT_TRUE(reading);
  const auto sent = requests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], (Bytes{1, 0, 41, 0, 1}));
  EXPECT_EQ(reading->header.serialNumber(), 0x654321u);
}

TEST_F(MessageReader, BoundsOfTwoZerosLeadOnEqualNonZeroOnesDoNot) {
  answer({tableAnswer(11, 0, Bytes(8, 0)), tableAnswer(10, 0, {5, 0, 0, 0, 5, 0, 0, 0})});
  const auto zeros = reader.readBounds(1);
  ASSERT_TRUE(zeros);
  EXPECT_EQ(zeros->oldest, 0u);
  EXPECT_EQ(zeros->newest, 0u);
  EXPECT_TRUE(frontend.messages.empty());

  EXPECT_FALSE(reader.readBounds(0));
  EXPECT_EQ(texts(frontend.messages),
            std::vector<std::string>{"6 В архиве нет ни одной записи / "});
  const auto sent = requests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], (Bytes{1, 0, 11, 0, 2}));
  EXPECT_EQ(sent[1], (Bytes{1, 0, 10, 0, 2}));
}

TEST_F(MessageReader, NoWorkingFileOrUnknownKindSendsNothing) {
  answer({});
  MessageArchiveReader homeless{connection, service, folder.file("missing-folder")};
  EXPECT_FALSE(homeless.readMessagesByIndex(0, 1, 5));
  EXPECT_FALSE(homeless.readMessagesByPeriod(0, kBegin, kEnd));
  EXPECT_EQ(texts(frontend.messages),
            (std::vector<std::string>{"6 Ошибка открытия файла / ", "6 Ошибка открытия файла / "}));
  EXPECT_FALSE(reader.readMessagesByIndex(2, 1, 5));
  EXPECT_FALSE(reader.readBounds(5));
  EXPECT_TRUE(requests().empty());
}

}  // namespace
}  // namespace zvc
