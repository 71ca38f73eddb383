// The modem dialogue against zvc-sim's modem, then the controller's frames through it.
#include "sim/sim_modem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/link/kpsbox.h"
#include "core/link/modem.h"
#include "sim_process.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using std::chrono::milliseconds;
using test::SimProcess;
using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kSimCom = 42;
constexpr const char* kSimGuardMs = "50";

// Shortened waits; the guard waits stay longer than the simulator's guard time.
constexpr ModemTimings kQuickTimings{
    .replyWait = milliseconds(500),
    .escapeGuard = milliseconds(120),
    .settleAfterReset = milliseconds(10),
    .commandPause = milliseconds(5),
    .hangUpGuard = milliseconds(120),
    .hangUpReplyWait = milliseconds(500),
};

// Escape is pressed once, after the user interface has run a while.
class LateEscapeFrontend : public test::RecordingFrontend {
 public:
  bool takeEscape() override {
    if (pressed_ || eventPasses <= 50) return false;
    pressed_ = true;
    return true;
  }

 private:
  bool pressed_ = false;
};

std::vector<std::string> simOptions(std::vector<std::string> extra) {
  std::vector<std::string> options = {"--pty", "--modem-guard", kSimGuardMs};
  options.insert(options.end(), extra.begin(), extra.end());
  return options;
}

// The program's side: the engine holds the port open for the whole call, as on a modem link.
class SimModemTest : public ::testing::Test {
 protected:
  void start(std::vector<std::string> modemOptions) {
    sim.emplace(simOptions(std::move(modemOptions)));
    engine.linkType = kpsbox::kModemLine;
    engine.comPort = kSimCom;
    engine.comPortOverrides[kSimCom] = sim->ptyPath();
    engine.baudRate = 9600;
    engine.openPortPerExchange = false;
    engine.responseTimeoutMs = 1000;
    ASSERT_TRUE(engine.OpenPort()) << engine.ErrorText();
  }

  ModemLine line(Frontend& person) {
    return {.port = engine.portHandle, .frontend = person, .timings = kQuickTimings};
  }
  ModemLine line() { return line(frontend); }

  int dial(int attempts = 1, int connectWaitS = 1) {
    return DialModem(line(), "8 (812) 555-12-34", "AT&F^ATS0=0", true, attempts, connectWaitS);
  }

  bool readIdentification() {
    const std::uint8_t range[] = {0, 0, 18};
    return engine.Command(kpsbox::kReadTable, range, 3, 0);
  }

  std::optional<SimProcess> sim;
  kpsbox engine{1};
  test::RecordingFrontend frontend;
};

TEST_F(SimModemTest, DialExchangeFramesHangUpAndDialAgain) {
  start({"--modem"});
  ASSERT_EQ(dial(), kModemConnected);
  EXPECT_EQ(frontend.status[kStatusBar3],
            " Установление связи по телефону. Команда ATD88125551234.  Ответ CONNECT 9600");

  ASSERT_TRUE(readIdentification()) << engine.ErrorText();
  EXPECT_EQ(engine.response[4 + 4 + 1], 73);
  ASSERT_TRUE(readIdentification()) << engine.ErrorText();

  HangUpModem(line());
  // On-hook in command mode: frames reach nobody, AT commands the modem.
  engine.responseTimeoutMs = 300;
  EXPECT_FALSE(readIdentification());
  EXPECT_EQ(engine.resultCode, kpsbox::kNoAnswer);
  std::string reply;
  EXPECT_EQ(ModemCommand(line(), "AT\r", reply, milliseconds(500), false), kModemConnected);
  EXPECT_TRUE(ContainsText(reply, "OK")) << reply;

  ASSERT_EQ(dial(), kModemConnected);
  EXPECT_TRUE(readIdentification()) << engine.ErrorText();
}

TEST_F(SimModemTest, ResetFromDataModeEscapesAndKeepsTheCallUp) {
  start({"--modem"});
  ASSERT_EQ(dial(), kModemConnected);
  EXPECT_EQ(ModemReset(line(), false), kModemConnected);
  engine.responseTimeoutMs = 300;
  EXPECT_FALSE(readIdentification()) << "frames must not pass in command mode";
}

TEST_F(SimModemTest, DialReplies) {
  const struct {
    const char* simReply;
    int code;
  } kCases[] = {
      {"NO_DIALTONE", kModemNoDialTone},
      {"NO_CARRIER", kModemNoCarrier},
      {"BUSY", kModemBusy},
      {"NO_ANSWER", kModemNoAnswer},
      {"ERROR", kModemError},
      {"SILENT", kModemReplyTimeout},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.simReply);
    engine.ClosePort();
    start({"--modem-dial", c.simReply});
    EXPECT_EQ(dial(2, 1), c.code);
  }
}

TEST_F(SimModemTest, LandlineModemIsNotGsmReady) {
  start({"--modem-cpas-error"});
  EXPECT_EQ(dial(3, 1), kModemGsmNotReady);
  EXPECT_EQ(frontend.status[kStatusBar3], " Проверка готовности GSM. Команда AT+CPAS. Ответ ERROR");
}

TEST_F(SimModemTest, ModemDeafToTheEscapeSequenceIsAbsent) {
  start({"--modem-deaf"});
  ASSERT_EQ(dial(), kModemConnected);
  EXPECT_EQ(ModemReset(line(), true), kModemAbsent);
  EXPECT_TRUE(readIdentification()) << "still in data mode";
}

TEST_F(SimModemTest, EscapeEndsTheWaitForTheDialReply) {
  start({"--modem-dial", "SILENT"});
  ASSERT_EQ(ModemReset(line(), true), kModemConnected);
  LateEscapeFrontend person;
  std::string reply;
  const auto began = Clock::now();
  EXPECT_EQ(ModemCommand(line(person), "ATD123\r", reply, milliseconds(10000), true),
            kModemCancelled);
  EXPECT_EQ(reply, "Escape...");
  EXPECT_LT(Clock::now() - began, milliseconds(5000));
}

TEST_F(SimModemTest, EscapeEndsDiallingWithoutFurtherAttempts) {
  start({"--modem-dial", "SILENT"});
  LateEscapeFrontend person;
  const auto began = Clock::now();
  EXPECT_EQ(DialModem(line(person), "123", "AT&F", true, 3, 10), kModemCancelled);
  EXPECT_LT(Clock::now() - began, milliseconds(5000));
}

// The modem's escape rules without a line.
class SimModemMachine : public ::testing::Test {
 protected:
  sim::Bytes send(std::string_view text, milliseconds at) {
    const sim::Bytes bytes(text.begin(), text.end());
    auto out = modem.receive(bytes, t0 + at);
    toProgram.insert(toProgram.end(), out.toProgram.begin(), out.toProgram.end());
    return out.toController;
  }
  std::string tick(milliseconds at) {
    auto out = modem.tick(t0 + at);
    return std::string(out.toProgram.begin(), out.toProgram.end());
  }

  sim::SimModem modem{sim::ModemSetup{.guardTime = milliseconds(1000)}};
  sim::SimModem::Clock::time_point t0 = sim::SimModem::Clock::now();
  sim::Bytes toProgram;
};

TEST_F(SimModemMachine, EscapeNeedsSilenceOnBothSides) {
  send("ATD1\r", milliseconds(0));
  ASSERT_TRUE(modem.inDataMode());
  // Too soon after the last byte: "+++" is data.
  EXPECT_EQ(send("+++", milliseconds(500)), sim::Bytes(3, '+'));
  // After a silence, but followed by data within the guard time: data again.
  EXPECT_TRUE(send("+++", milliseconds(2000)).empty());
  EXPECT_EQ(tick(milliseconds(2500)), "");
  EXPECT_EQ(send("\x33", milliseconds(2600)), (sim::Bytes{'+', '+', '+', 0x33}));
  EXPECT_TRUE(modem.inDataMode());
  // Silence before and after.
  EXPECT_TRUE(send("+++", milliseconds(4000)).empty());
  EXPECT_EQ(modem.nextTick(), t0 + milliseconds(5000));
  EXPECT_EQ(tick(milliseconds(4999)), "");
  EXPECT_EQ(tick(milliseconds(5000)), "\r\nOK\r\n");
  EXPECT_FALSE(modem.inDataMode());
  EXPECT_TRUE(modem.callUp());
  send("ATH\r", milliseconds(5100));
  EXPECT_FALSE(modem.callUp());
}

}  // namespace
}  // namespace zvc
