#include "core/link/modem.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/ui/frontend.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using std::chrono::milliseconds;

constexpr int kPtyCom = 41;

constexpr ModemTimings kQuickTimings{
    .replyWait = milliseconds(300),
    .escapeGuard = milliseconds(20),
    .settleAfterReset = milliseconds(10),
    .commandPause = milliseconds(5),
    .hangUpGuard = milliseconds(20),
    .hangUpReplyWait = milliseconds(300),
};

// The modem at the far end of a pseudo-terminal: each command ("+++" or a line ending in a
// carriage return; zero bytes dropped) goes to `answer`, whose text is written back.
class FakeModem {
 public:
  using Answer = std::function<std::string(const std::string& command)>;

  FakeModem(int fd, Answer answer) : fd_(fd), answer_(std::move(answer)) {
    thread_ = std::thread([this] { run(); });
  }
  ~FakeModem() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> commands() {
    std::lock_guard lock(mutex_);
    return commands_;
  }

 private:
  void run() {
    std::string pending;
    while (!stop_) {
      pollfd descriptor{fd_, POLLIN, 0};
      char byte = 0;
      if (poll(&descriptor, 1, 5) <= 0 || read(fd_, &byte, 1) != 1) continue;
      if (byte == '\0') continue;
      pending.push_back(byte);
      if (byte != '\r' && pending != "+++") continue;
      {
        std::lock_guard lock(mutex_);
        commands_.push_back(pending);
      }
      const std::string reply = answer_(pending);
      if (!reply.empty()) (void)!write(fd_, reply.data(), reply.size());
      pending.clear();
    }
  }

  int fd_;
  Answer answer_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> commands_;
  std::thread thread_;
};

// A GSM modem with echo on that dials `dialReply`.
std::string gsmModem(const std::string& command, const std::string& dialReply) {
  if (command == "AT+CPAS\r") return "\r\n+CPAS: 0\r\n\r\nOK\r\n";
  if (command.rfind("ATD", 0) == 0) return dialReply;
  return command + "\r\nOK\r\n";
}

class ModemTest : public ::testing::Test {
 protected:
  ModemTest() {
    port =
        OpenComPort(kPtyCom, {{kPtyCom, pty.slavePath()}}, 9600, 8, 0, 0, 1000, 1000, true, false);
  }
  ~ModemTest() override { CloseComPort(port); }

  void SetUp() override { ASSERT_NE(port, kNoPort); }

  ModemLine line() { return {.port = port, .frontend = frontend, .timings = kQuickTimings}; }

  test::PseudoTerminal pty;
  PortHandle port = kNoPort;
  test::RecordingFrontend frontend;
};

TEST(ModemText, ContainsText) {
  EXPECT_TRUE(ContainsText("\r\nOK\r", "OK"));
  EXPECT_TRUE(ContainsText("BUSY", "BUSY"));
  EXPECT_FALSE(ContainsText("", ""));
  EXPECT_FALSE(ContainsText("OK", "OK\r\n"));
  EXPECT_FALSE(ContainsText("\r\nok\r", "OK"));
}

TEST(ModemText, PhoneNumberKeepsDigitsOnly) {
  EXPECT_EQ(CleanPhoneNumber("8 (812) 555-12-34"), "88125551234");
  EXPECT_EQ(CleanPhoneNumber("+7(495)1234567"), "+74951234567");
  EXPECT_EQ(CleanPhoneNumber(""), "");
}

TEST(ModemText, CommandTextSplitsAtCarets) {
  const struct {
    const char* text;
    std::vector<std::string> commands;
  } kCases[] = {
      {"AT&F^ATS0=0", {"AT&F\r", "ATS0=0\r"}},
      {"init: at+cbst=7,0,1 ^ note At&W", {"at+cbst=7,0,1 \r", "At&W\r"}},
      {"^^AT^", {"AT\r"}},
      {"no command^A^T", {}},
      {"", {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(splitModemCommands(c.text), c.commands) << c.text;
}

TEST_F(ModemTest, EchoIsDiscardedAndTheDialogueShownInStatusBar3) {
  FakeModem modem(pty.master(), [](const std::string& command) { return command + "\r\nOK\r\n"; });
  std::string reply;
  EXPECT_EQ(ModemCommand(line(), "ATE0\r", reply, milliseconds(500), true), kModemConnected);
  EXPECT_EQ(reply, "\r\r\nOK\r");
  EXPECT_EQ(frontend.status[kStatusBar3],
            " Установление связи по телефону. Команда ATE0.  Ответ OK");
  ASSERT_EQ(frontend.statusHistory.size(), 2u);
  EXPECT_EQ(frontend.statusHistory[0], "5: Установление связи по телефону. Команда ATE0.");
}

TEST_F(ModemTest, RepliesClassifyInOrder) {
  const struct {
    const char* reply;
    int code;
  } kCases[] = {
      {"\r\nCONNECT 9600\r\n", kModemConnected},
      {"\r\nNO DIALTONE\r\n", kModemNoDialTone},
      {"\r\nBUSY\r\n", kModemBusy},
      {"\r\nNO CARRIER\r\n", kModemNoCarrier},
      {"\r\nERROR\r\n", kModemError},
      {"\r\nNO ANSWER\r\n", kModemNoAnswer},
      {"\r\nTime out\r\n", kModemTimeLimit},
      {"\r\nno carrier\r\n", kModemNoCarrier},
      {"\r\nBUSY: ERROR\r\n", kModemError},
      {"\r\nDIAL: BUSY\r\n", kModemNoDialTone},
      {"\r\nOK\r\n", kModemConnected},
  };
  std::mutex mutex;
  std::deque<std::string> replies;
  FakeModem modem(pty.master(), [&](const std::string&) {
    std::lock_guard lock(mutex);
    std::string reply = replies.front();
    replies.pop_front();
    return reply;
  });
  for (const auto& c : kCases) {
    {
      std::lock_guard lock(mutex);
      replies.push_back(c.reply);
    }
    std::string reply;
    EXPECT_EQ(ModemCommand(line(), "ATD1\r", reply, milliseconds(500), false), c.code) << c.reply;
  }
}

TEST_F(ModemTest, SilenceIsATimeOut) {
  FakeModem modem(pty.master(), [](const std::string&) { return std::string(); });
  std::string reply;
  EXPECT_EQ(ModemCommand(line(), "AT\r", reply, milliseconds(100), true), kModemReplyTimeout);
}

TEST_F(ModemTest, EscapeEndsTheWait) {
  // Escape is pressed while the wait already runs.
  struct LateEscape : test::RecordingFrontend {
    bool takeEscape() override { return eventPasses > 20; }
  } late;
  FakeModem modem(pty.master(), [](const std::string&) { return std::string(); });
  std::string reply;
  const ModemLine escapable{.port = port, .frontend = late};
  EXPECT_EQ(ModemCommand(escapable, "ATD1\r", reply, milliseconds(5000), false), kModemCancelled);
  EXPECT_EQ(reply, "Escape...");
}

TEST_F(ModemTest, DialSendsResetSetUpCommandsGsmCheckAndNumber) {
  FakeModem modem(pty.master(), [](const std::string& command) {
    return gsmModem(command, "\r\nCONNECT 9600\r\n");
  });
  EXPECT_EQ(DialModem(line(), "8 (812) 555-12-34", "AT&F^ATS0=0", true, 1, 2), kModemConnected);
  const std::vector<std::string> expected = {"ATE0\r",   "ATV1\r",    "AT&F\r",
                                             "ATS0=0\r", "AT+CPAS\r", "ATD88125551234\r"};
  EXPECT_EQ(modem.commands(), expected);
  EXPECT_EQ(frontend.status[kStatusBar3],
            " Установление связи по телефону. Команда ATD88125551234.  Ответ CONNECT 9600");
}

TEST_F(ModemTest, SetUpCommandWithoutOkFailsEachAttempt) {
  FakeModem modem(pty.master(), [](const std::string& command) {
    return command == "AT&F\r" ? std::string("\r\nWHAT?\r\n") : gsmModem(command, "");
  });
  EXPECT_EQ(DialModem(line(), "1", "AT&F", false, 2, 1), kModemNotConnected);
  const auto commands = modem.commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT&F\r"), 2);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT+CPAS\r"), 0);
}

TEST_F(ModemTest, GsmNotReadyEndsDiallingAtOnce) {
  FakeModem modem(pty.master(), [](const std::string& command) {
    return command == "AT+CPAS\r" ? std::string("\r\nERROR\r\n") : gsmModem(command, "");
  });
  EXPECT_EQ(DialModem(line(), "1", "", true, 3, 1), kModemGsmNotReady);
  const auto commands = modem.commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT+CPAS\r"), 1);
  EXPECT_EQ(frontend.status[kStatusBar3], " Проверка готовности GSM. Команда AT+CPAS. Ответ ERROR");
}

TEST_F(ModemTest, ModemInDataModeIsEscapedFirst) {
  // Deaf to ATE0 until "+++" brings it back to command mode.
  bool commandMode = false;
  FakeModem modem(pty.master(), [&commandMode](const std::string& command) {
    if (command == "+++") commandMode = true;
    return commandMode ? std::string("\r\nOK\r\n") : std::string();
  });
  EXPECT_EQ(ModemReset(line(), true), kModemConnected);
  const std::vector<std::string> expected = {"ATE0\r", "+++", "ATE0\r"};
  EXPECT_EQ(modem.commands(), expected);
}

TEST_F(ModemTest, NoAnswerToTheEscapeSequenceMeansNoModem) {
  FakeModem modem(pty.master(), [](const std::string&) { return std::string(); });
  EXPECT_EQ(ModemReset(line(), true), kModemAbsent);
  EXPECT_EQ(modemResultText(kModemAbsent), std::string("Модем отсутствует или не подключен"));
}

TEST_F(ModemTest, HangUpEscapesThenHangsUp) {
  FakeModem modem(pty.master(), [](const std::string&) { return std::string("\r\nOK\r\n"); });
  HangUpModem(line());
  const std::vector<std::string> expected = {"+++", "ath\r"};
  EXPECT_EQ(modem.commands(), expected);
}

}  // namespace
}  // namespace zvc
