// The simulated controller's request handling, without sockets: frames in, frames out.
#include "sim/sim_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/crc16.h"
#include "core/common/text_codec.h"
#include "sim/sim_archives.h"
#include "sim/sim_faults.h"
#include "sim/sim_frame.h"
#include "sim/sim_line.h"

namespace zvc::sim {
namespace {

const DateTime6 kStart{24, 5, 6, 10, 20, 30};
const SimSeconds kBase = secondsFromDateTime(kStart);

Bytes requestFrame(std::uint8_t address, std::uint8_t function, const Bytes& payload) {
  Bytes frame = {kRequestStart, address, std::uint8_t(payload.size() + 6), function};
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.resize(frame.size() + 2);
  appendCrc16(frame.data(), frame.size() - 2);
  return frame;
}

Bytes credentials(const std::string& password = "1", const std::string& code = "1") {
  Bytes bytes(16, ' ');
  std::copy(password.begin(), password.end(), bytes.begin());
  std::copy(code.begin(), code.end(), bytes.begin() + 12);
  return bytes;
}

Bytes readRequest(int table, int first, int count, std::uint8_t address = 1) {
  return requestFrame(address, 1,
                      {0, std::uint8_t(table), std::uint8_t(first), std::uint8_t(count)});
}

Bytes writeRequest(int table, int first, int count, const Bytes& data,
                   const Bytes& who = credentials(), std::uint8_t address = 1) {
  Bytes payload = who;
  payload.insert(payload.end(), {0, std::uint8_t(table), std::uint8_t(first), std::uint8_t(count)});
  payload.insert(payload.end(), data.begin(), data.end());
  return requestFrame(address, 2, payload);
}

Bytes clockRequest(std::int16_t seconds, const Bytes& who = credentials()) {
  Bytes payload = who;
  payload.push_back(std::uint8_t(seconds & 0xFF));
  payload.push_back(std::uint8_t((seconds >> 8) & 0xFF));
  return requestFrame(1, 12, payload);
}

struct Response {
  std::uint8_t address;
  std::uint8_t function;
  Bytes payload;
};

class SimLineTest : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& faultLines = {},
             const std::vector<std::uint8_t>& addresses = {1}, bool cp866 = false) {
    FaultPlan plan;
    std::string error;
    for (const auto& line : faultLines) ASSERT_TRUE(plan.addLine(line, error)) << error;
    std::vector<std::unique_ptr<SimController>> controllers;
    for (std::uint8_t address : addresses) {
      ControllerSetup setup;
      setup.address = address;
      setup.cp866Names = cp866;
      setup.destroyedTable = plan.run().destroyedTable;
      setup.softwareVersion = plan.run().version14 ? 14 : 15;
      controllers.push_back(std::make_unique<SimController>(setup, kStart));
    }
    line_ = std::make_unique<SimLine>(std::move(controllers), plan,
                                      [this](const std::string& l) { log_.push_back(l); });
  }

  // The answer's bytes on the wire, or nullopt when nobody answers.
  std::optional<Answer> send(const Bytes& frame, SimSeconds base = kBase) {
    if (!line_) start();
    return line_->receive(frame, base);
  }

  // The checked answer frame without what precedes its start byte.
  Response exchange(const Bytes& frame, SimSeconds base = kBase) {
    const auto answer = send(frame, base);
    EXPECT_TRUE(answer.has_value());
    if (!answer) return {};
    const auto start = std::find(answer->bytes.begin(), answer->bytes.end(), kAnswerStart);
    const Bytes wire(start, answer->bytes.end());
    EXPECT_GE(wire.size(), 6u);
    EXPECT_EQ(wire[2], wire.size());
    EXPECT_EQ(Crc16(wire.data(), wire.size()), 0);
    return {wire[1], wire[3], Bytes(wire.begin() + 4, wire.end() - 2)};
  }

  Bytes readData(int table, int first, int count, SimSeconds base = kBase) {
    const Response response = exchange(readRequest(table, first, count), base);
    EXPECT_EQ(response.function, 0x81);
    return Bytes(response.payload.begin() + 4, response.payload.end());
  }

  std::unique_ptr<SimLine> line_;
  std::vector<std::string> log_;
};

TEST_F(SimLineTest, IdentificationTableAsTheProgramExpectsIt) {
  // The worked example: read 18 fields of table 0 at address 1.
  const Bytes request = {0xCC, 0x01, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x12, 0xE1, 0xA9};
  const auto answer = send(request);
  ASSERT_TRUE(answer);
  // Three preamble bytes from table 3 field 2, then the frame.
  EXPECT_EQ(Bytes(answer->bytes.begin(), answer->bytes.begin() + 4),
            (Bytes{0xFF, 0xFF, 0xFF, 0x33}));

  const Response response = exchange(request);
  EXPECT_EQ(response.address, 1);
  EXPECT_EQ(response.function, 0x81);
  ASSERT_EQ(response.payload.size(), 4u + 18);
  EXPECT_EQ(Bytes(response.payload.begin(), response.payload.begin() + 4), (Bytes{0, 0, 0, 18}));
  const std::uint8_t* table0 = response.payload.data() + 4;
  EXPECT_EQ(table0[0], 0);   // nothing destroyed
  EXPECT_EQ(table0[1], 73);  // controller type
  EXPECT_EQ(table0[3], 15);  // software version
  EXPECT_EQ(table0[12], 1);  // names in Windows-1251
  EXPECT_EQ(log_.back(), "F=1 00 00 00 12");
}

TEST_F(SimLineTest, WorkingTablesHoldWhatTheConnectionStepChecks) {
  const Bytes table14 = readData(14, 0, 16);
  EXPECT_EQ(table14[6], 7);    // "QRT Vela"
  EXPECT_EQ(table14[14], 15);  // measured parameters
  const Bytes record8 = readData(1, 8, 1);
  EXPECT_EQ(fieldToUtf8(record8.data() + 40, 10), "CH4");
  EXPECT_EQ(fieldToUtf8(record8.data(), 40), "МД метана");
  EXPECT_EQ(fieldToUtf8(readData(5, 0, 1).data(), 20), "Контроллер ЖВЦ_15");
  const Bytes serial = readData(41, 0, 1);
  EXPECT_NE(serial[0] | serial[1] | serial[2] | serial[3], 0);
  EXPECT_EQ(readData(6, 8, 1)[0], 1);  // moisture meter present
}

TEST_F(SimLineTest, NamesInCp866WhenTable0Field12IsZero) {
  start({}, {1}, true);
  EXPECT_EQ(readData(0, 12, 1)[0], 0);
  Bytes name = readData(5, 0, 1);
  EXPECT_EQ(name[0], 0x8A);  // "К" in code page 866
  decodeCp866(name.data(), name.size());
  EXPECT_EQ(fieldToUtf8(name.data(), 20), "Контроллер ЖВЦ_15");
}

TEST_F(SimLineTest, ClockRunsFromTheStartTime) {
  EXPECT_EQ(readData(2, 0, 8), (Bytes{24, 5, 6, 10, 20, 30, 2, 0}));  // Monday, summer time
  EXPECT_EQ(readData(2, 0, 6, kBase + 95), (Bytes{24, 5, 6, 10, 22, 5}));
}

TEST_F(SimLineTest, RefusalsCarryTheMatchingControllerCode) {
  struct Case {
    const char* what;
    Bytes request;
    std::uint8_t code;
    std::uint8_t table;
  };
  const Case cases[] = {
      {"no table 8", readRequest(8, 0, 1), 9, 8},
      {"no table 47", readRequest(47, 0, 1), 9, 47},
      {"field 18 of table 0", readRequest(0, 18, 1), 13, 0},
      {"zero fields", readRequest(0, 0, 0), 4, 0},
      {"past the last field", readRequest(0, 10, 9), 4, 0},
      {"four records of table 1 exceed a frame", readRequest(1, 0, 4), 4, 1},
      {"write-only passwords", readRequest(13, 0, 1), 11, 13},
      {"short read request", requestFrame(1, 1, {0, 0, 0}), 2, 0},
      {"unknown function", requestFrame(1, 3, {}), 1, 0},
      {"archive request of wrong size", requestFrame(1, 7, {0, 0}), 2, 0},
      {"write of table 0", writeRequest(0, 0, 1, {1}), 12, 0},
      {"write past the table", writeRequest(3, 3, 2, {0, 0}), 14, 3},
      {"write data shorter than the fields", writeRequest(6, 0, 2, {1}), 2, 6},
      {"write of no fields", writeRequest(6, 0, 0, {}), 37, 6},
      {"address 255 in table 3", writeRequest(3, 0, 1, {255}), 4, 3},
      {"baud-rate code 22", writeRequest(3, 1, 1, {22}), 4, 3},
      {"wrong password", writeRequest(6, 0, 1, {3}, credentials("2", "1")), 34, 0},
      {"wrong code", writeRequest(6, 0, 1, {3}, credentials("1", "2")), 34, 0},
      {"blank credentials", writeRequest(6, 0, 1, {3}, credentials("", "")), 34, 0},
      {"correction over an hour", clockRequest(3601), 17, 0},
      {"reset by a stranger", requestFrame(1, 25, credentials("x", "9")), 34, 0},
  };
  for (const Case& c : cases) {
    start();
    const Bytes table6 = readData(6, 0, 12);
    const Response response = exchange(c.request);
    EXPECT_EQ(response.function, c.request[3]) << c.what;
    ASSERT_EQ(response.payload.size(), 3u) << c.what;
    EXPECT_EQ(response.payload[0], c.code) << c.what;
    EXPECT_EQ(response.payload[2], c.table) << c.what;
    EXPECT_EQ(readData(6, 0, 12), table6) << c.what << ": a refused write changed nothing";
  }
}

TEST_F(SimLineTest, WriteStoresFieldsAndEchoesTheRange) {
  const Response response = exchange(writeRequest(6, 6, 2, {11, 1}));
  EXPECT_EQ(response.function, 0x82);
  EXPECT_EQ(response.payload, (Bytes{0, 6, 6, 2}));
  EXPECT_EQ(readData(6, 5, 4), (Bytes{4, 11, 1, 1}));
  // Largest write that fits a frame: 229 data bytes.
  Bytes records(3 * 64, 0x41);
  EXPECT_EQ(exchange(writeRequest(1, 17, 3, records)).function, 0x82);
  EXPECT_EQ(readData(1, 17, 3), records);
}

TEST_F(SimLineTest, NewAddressAnswersTheWriteAndTheRequestsAfterIt) {
  const Response response = exchange(writeRequest(3, 0, 2, {7, 15}));
  EXPECT_EQ(response.address, 7);
  EXPECT_EQ(response.payload, (Bytes{0, 3, 0, 2}));
  EXPECT_FALSE(send(readRequest(0, 0, 18, 1)));
  EXPECT_EQ(exchange(readRequest(3, 0, 2, 7)).payload, (Bytes{0, 3, 0, 2, 7, 15}));
  EXPECT_EQ(line_->controller(0).lineRate(), 19200);
}

TEST_F(SimLineTest, AnswerAtTheOldRateWhenTheWriteChangesIt) {
  EXPECT_EQ(send(writeRequest(3, 1, 1, {15}))->lineRate, 9600);
  EXPECT_EQ(send(readRequest(3, 0, 4))->lineRate, 19200);
}

TEST_F(SimLineTest, ClockCorrectionMovesTheClock) {
  EXPECT_EQ(exchange(clockRequest(-30)).function, 0x8C);
  EXPECT_EQ(readData(2, 0, 6), (Bytes{24, 5, 6, 10, 20, 0}));
  EXPECT_EQ(exchange(clockRequest(3600)).function, 0x8C);
  EXPECT_EQ(readData(2, 0, 6), (Bytes{24, 5, 6, 11, 20, 0}));
}

TEST_F(SimLineTest, WritingTable2SetsTheClock) {
  EXPECT_EQ(exchange(writeRequest(2, 0, 8, {25, 12, 31, 23, 59, 58, 4, 128})).function, 0x82);
  EXPECT_EQ(readData(2, 0, 8, kBase + 3), (Bytes{26, 1, 1, 0, 0, 1, 5, 128}));
  EXPECT_EQ(exchange(writeRequest(2, 1, 1, {13})).payload[0], 4);  // month 13
}

TEST_F(SimLineTest, ResetAnswersFromTheOldAddressThenStartsAtAddress1And9600) {
  exchange(writeRequest(3, 0, 2, {9, 18}));
  exchange(writeRequest(6, 6, 1, {20}, credentials(), 9));
  const Response response = exchange(requestFrame(9, 25, credentials()));
  EXPECT_EQ(response.address, 9);
  EXPECT_EQ(response.function, 0x99);
  EXPECT_EQ(line_->controller(0).address(), 1);
  EXPECT_EQ(line_->controller(0).lineRate(), 9600);
  EXPECT_EQ(readData(6, 6, 1)[0], 9);  // defaults again
}

TEST_F(SimLineTest, DestroyedTableIsReportedAndRepairedByAWholeRewrite) {
  start({"destroyed 4"});
  EXPECT_EQ(readData(0, 0, 1)[0], 4);
  EXPECT_EQ(readData(7, 4, 1)[0], 1);
  EXPECT_EQ(exchange(readRequest(4, 0, 1)).payload, (Bytes{60, 0, 4}));

  // The restore writes it with blank credentials, fields 0..9 and then 10..15.
  const Bytes users(22 * 16, ' ');
  const Bytes blank = credentials("", "");
  EXPECT_EQ(exchange(writeRequest(4, 10, 6, Bytes(22 * 6, ' '), blank)).payload[0], 61);
  EXPECT_EQ(exchange(writeRequest(4, 0, 10, Bytes(22 * 10, ' '), blank)).function, 0x82);
  EXPECT_EQ(exchange(readRequest(4, 0, 1)).payload[0], 60);  // still half written
  EXPECT_EQ(exchange(writeRequest(4, 10, 6, Bytes(22 * 6, ' '), blank)).function, 0x82);
  EXPECT_EQ(readData(0, 0, 1)[0], 0);
  EXPECT_EQ(readData(7, 4, 1)[0], 0);
}

TEST_F(SimLineTest, Version14IsShownInTable0) {
  start({"version14"});
  EXPECT_EQ(readData(0, 3, 1)[0], 14);
}

TEST_F(SimLineTest, Address255IsAnsweredByTheFirstControllerOnly) {
  start({}, {5, 9});
  EXPECT_EQ(exchange(readRequest(0, 0, 18, 255)).address, 5);
  EXPECT_EQ(exchange(readRequest(0, 0, 18, 9)).address, 9);
  EXPECT_FALSE(send(readRequest(0, 0, 18, 1)));
  EXPECT_EQ(log_.size(), 3u);  // every request frame is logged, answered or not
  EXPECT_EQ(line_->requestsTaken(), 2);
}

TEST_F(SimLineTest, FaultsHitOnlyTheirRequests) {
  start({"2 silent", "3 error 60 7", "4 swapcrc", "5 cut 5", "6 stray 4", "7 range", "8 badcrc",
         "9 delay 250", "10-11 error 9", "14 twice", "15 late"});
  const Bytes read = readRequest(0, 0, 18);
  EXPECT_EQ(exchange(read).function, 0x81);
  EXPECT_FALSE(send(read));
  EXPECT_EQ(exchange(read).payload, (Bytes{60, 0, 7}));

  Bytes wire = send(read)->bytes;
  wire.erase(wire.begin(), wire.begin() + 3);
  EXPECT_NE(Crc16(wire.data(), wire.size()), 0);
  std::swap(wire[wire.size() - 1], wire[wire.size() - 2]);
  EXPECT_EQ(Crc16(wire.data(), wire.size()), 0);

  // Five bytes of the frame after the preamble.
  EXPECT_EQ(send(read)->bytes, (Bytes{0xFF, 0xFF, 0xFF, 0x33, 0x01, 0x1C, 0x81, 0x00}));
  const Bytes noisy = send(read)->bytes;
  EXPECT_EQ(std::count(noisy.begin(), noisy.begin() + 4, kAnswerStart), 0);
  EXPECT_EQ(Bytes(noisy.begin() + 4, noisy.begin() + 8), (Bytes{0xFF, 0xFF, 0xFF, 0x33}));
  EXPECT_EQ(exchange(read).payload[2], 1);  // first field echoed as 1
  wire = send(read)->bytes;
  EXPECT_NE(Crc16(wire.data() + 3, wire.size() - 3), 0);
  EXPECT_EQ(send(read)->delayMs, 250);
  EXPECT_EQ(exchange(read).payload[0], 9);
  EXPECT_EQ(exchange(read).payload[0], 9);
  EXPECT_EQ(exchange(read).function, 0x81);

  const Bytes once = send(read)->bytes;
  Bytes twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(send(read)->bytes, twice);
  // Held back, then sent as the next request arrives, ahead of that request's own answer.
  EXPECT_FALSE(send(read));
  EXPECT_EQ(send(read)->bytes, twice);
}

TEST_F(SimLineTest, RefusedByFaultMeansNotExecuted) {
  start({"1 error 3", "2 silent"});
  send(writeRequest(6, 6, 1, {20}));
  send(writeRequest(6, 6, 1, {21}));
  EXPECT_EQ(readData(6, 6, 1)[0], 9);
}

TEST_F(SimLineTest, ArchiveTablesFollowTheArchives) {
  std::uint8_t now[6];
  kStart.toBytes(now);
  const SimArchives archives(1, now, {});
  for (int table : {10, 11, 27}) {
    ASSERT_TRUE(archives.ownsTable(table));
    Bytes expected(TableCatalogue::table(table).size());
    archives.fillTable(table, expected);
    EXPECT_EQ(readData(table, 0, TableCatalogue::table(table).fieldCount), expected) << table;
  }
}

TEST(FrameReader, FindsFramesInANoisyStream) {
  const Bytes frame = requestFrame(1, 1, {0, 0, 0, 18});
  Bytes stream = {0xFF, 0xFF, 0x12};                // preamble and noise
  stream.insert(stream.end(), {0xCC, 0x01, 0x03});  // a length below 6: hunt again
  Bytes broken = frame;
  broken[5] ^= 1;  // wrong checksum
  stream.insert(stream.end(), broken.begin(), broken.end());
  stream.insert(stream.end(), frame.begin(), frame.end());

  FrameReader reader;
  std::vector<Bytes> frames;
  for (std::uint8_t byte : stream) {  // one byte at a time, as a slow line delivers them
    for (Bytes& found : reader.feed({&byte, 1})) frames.push_back(found);
  }
  EXPECT_EQ(frames, std::vector<Bytes>{frame});
  EXPECT_TRUE(reader.idle());
}

TEST(FrameReader, FrameHiddenAfterAFalseStart) {
  // A 0xCC of noise claims 12 bytes and swallows the start of the real frame.
  const Bytes frame = requestFrame(1, 1, {0, 0, 0, 18});
  Bytes stream = {0xCC, 0x01, 12};
  stream.insert(stream.end(), frame.begin(), frame.end());
  FrameReader reader;
  EXPECT_EQ(reader.feed(stream), std::vector<Bytes>{frame});
}

TEST(FaultPlan, ReadsScenarioLinesAndRefusesNonsense) {
  FaultPlan plan;
  std::string error;
  for (const char* line : {"# comment", "", "* delay 20", "3 stray 2  # noise", "2-4 badcrc",
                           "long-series 300", "hourly-gap", "destroyed 6", "early-answer every"}) {
    EXPECT_TRUE(plan.addLine(line, error)) << line << ": " << error;
  }
  EXPECT_EQ(plan.forRequest(1).delayMs, 20);
  EXPECT_FALSE(plan.forRequest(1).badChecksum);
  EXPECT_TRUE(plan.forRequest(4).badChecksum);
  EXPECT_EQ(plan.forRequest(3).strayBytes, 2);
  EXPECT_EQ(plan.run().archives.longSeries, 300);
  EXPECT_TRUE(plan.run().archives.hourlyGap);
  EXPECT_EQ(plan.run().destroyedTable, 6);
  EXPECT_EQ(plan.run().archives.earlyAnswer, EarlyAnswer::kEvery);

  for (const char* line :
       {"3", "3 explode", "0 silent", "4-2 silent", "x silent", "delay 5", "3 delay", "3 delay -1",
        "3 error 256", "3 late 2", "destroyed 7", "destroyed 8", "destroyed 0", "long-series 0",
        "version14 now", "early-answer", "early-answer twice"}) {
    error.clear();
    EXPECT_FALSE(plan.addLine(line, error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}

}  // namespace
}  // namespace zvc::sim
