#include "core/tables/table_service.h"

#include <gtest/gtest.h>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/ui/connection_state.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using test::Bytes;
using test::responseFrame;

constexpr int kPtyCom = 42;

TEST(TableServiceLimits, FieldsPerRequestFollowTheFrameLimit) {
  EXPECT_EQ(maxReadFields(6), 245);
  EXPECT_EQ(maxWriteFields(6), 229);
  EXPECT_EQ(maxReadFields(22), 61);  // 4-byte fields
  EXPECT_EQ(maxWriteFields(22), 57);
  EXPECT_EQ(maxReadFields(13), 15);
  EXPECT_EQ(maxWriteFields(13), 14);
  EXPECT_EQ(maxReadFields(4), 11);
  EXPECT_EQ(maxWriteFields(4), 10);
  EXPECT_EQ(maxReadFields(1), 3);
  EXPECT_EQ(maxWriteFields(1), 3);
}

TEST(TableServiceLimits, StateBlockTakesTheCatalogueAndTable7) {
  ConfigImage image;
  image.field(7, 4)[0] = 1;
  image.field(7, 30)[0] = 5;
  const TableStateBlock block = tableStateBlock(image);
  EXPECT_EQ(block.configuration[1], 1);
  EXPECT_EQ(block.configuration[0], 0);
  EXPECT_EQ(block.configuration[13], 1);
  EXPECT_EQ(block.destroyed[4], 1);
  EXPECT_EQ(block.destroyed[30], 1);
  EXPECT_EQ(block.destroyed[5], 0);
  EXPECT_EQ(block.writeRequest, TableStateBlock::Flags{});
}

// A scripted controller on a pseudo-terminal answers one read of table 6 fields 2..4.
class TableServiceAnswers : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.comPort = kPtyCom;
    engine.comPortOverrides[kPtyCom] = pty.slavePath();
    engine.baudRate = 115200;
    engine.responseTimeoutMs = 1000;
    engine.tries = 1;
    engine.openPortPerExchange = false;
    ASSERT_TRUE(engine.OpenPort());
    std::fill(image.table(6).begin(), image.table(6).end(), 0xAA);
  }

  bool readWithAnswer(const Bytes& payload) {
    test::ScriptedController controller(pty.master(), {{responseFrame(1, 0x81, payload)}});
    return service.readTableRange({6, 2, 3});
  }

  test::PseudoTerminal pty;
  kpsbox engine{1};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  test::RecordingFrontend frontend;
  TableService service{connection, image, settings, frontend};
};

TEST_F(TableServiceAnswers, AnswerWithTheRequestedRangeFillsTheImage) {
  ASSERT_TRUE(readWithAnswer({0, 6, 2, 3, 7, 8, 9}));
  EXPECT_EQ(Bytes(image.table(6).begin(), image.table(6).begin() + 6),
            (Bytes{0xAA, 0xAA, 7, 8, 9, 0xAA}));
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(TableServiceAnswers, WrongEchoInAnyByteOrMissingDataLeavesTheImage) {
  const Bytes answers[] = {
      {0, 7, 2, 3, 7, 8, 9},  // table
      {0, 6, 3, 3, 7, 8, 9},  // first field
      {0, 6, 2, 2, 7, 8, 9},  // field count
      {0, 6, 2, 3, 7, 8},     // one data byte short
  };
  for (const Bytes& answer : answers) {
    frontend.messages.clear();
    EXPECT_FALSE(readWithAnswer(answer));
    EXPECT_EQ(image.field(6, 2)[0], 0xAA);
    ASSERT_EQ(frontend.messages.size(), 1u);
    EXPECT_EQ(frontend.messages[0].kind, 7);
    EXPECT_EQ(frontend.messages[0].line1, "Несоответствие запрошенных и переданных данных.");
    EXPECT_EQ(frontend.messages[0].line2, "Табл. 6 \" Системные параметры\".");
  }
}

TEST_F(TableServiceAnswers, RangesOutsideTheCatalogueAreNeverSent) {
  for (const TableRange range :
       {TableRange{8, 0, 1}, TableRange{6, 10, 3}, TableRange{6, 0, 0}, TableRange{47, 0, 1}}) {
    EXPECT_FALSE(service.readTableRange(range));
    EXPECT_FALSE(service.writeTableRange(range));
  }
  EXPECT_TRUE(frontend.statusHistory.empty());
}

}  // namespace
}  // namespace zvc
