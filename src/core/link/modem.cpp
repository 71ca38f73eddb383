#include "core/link/modem.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <thread>

#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kBeforeWrite = milliseconds(2);
constexpr std::size_t kMaxReply = 255;
constexpr std::size_t kMinReplyLine = 4;  // a line end ends the reply only after 3 characters
constexpr const char* kEscapeReply = "Escape...";
constexpr std::string_view kEchoOff = "ATE0\r";
constexpr std::string_view kVerbose = "ATV1\r";
constexpr std::string_view kEscapeSequence = "+++";
constexpr std::string_view kHangUp = "ath\r";
// AT+CPAS, its carriage return and a zero byte: nine bytes on the wire.
constexpr std::string_view kGsmStatusQuery{"AT+CPAS\r\0", 9};
constexpr int kResetAttempts = 2;

constexpr std::array<const char*, 12> kResultTexts = {
    "Соединение установлено",
    "Отсутствует сигнал АТС",
    "Номер абонента занят",
    "Потеря несущей",
    "Нет гудка в линии",
    "Абонент не отвечает",
    "Лимит времени, отведенного на соединение, исчерпан",
    "Модем отсутствует или не подключен",
    "Соединение не установлено",
    "Истекло время ожидания ответа от модема",
    "Попытка соединения прервана по требованию пользователя",
    "Нет готовности GSM",
};

bool containsEither(std::string_view text, std::string_view upper, std::string_view lower) {
  return ContainsText(text, upper) || ContainsText(text, lower);
}

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The reply tells the modem heard us: an echo, OK, a line end or a numeric result.
bool isAcceptable(std::string_view reply) {
  return containsEither(reply, "AT", "at") || containsEither(reply, "OK", "ok") ||
         ContainsText(reply, "\r\n") || ContainsText(reply, "0");
}

int classifyReply(std::string_view reply) {
  if (containsEither(reply, "ERRO", "erro")) return kModemError;
  if (ContainsText(reply, "Time")) return kModemTimeLimit;
  if (containsEither(reply, "DIAL", "dial")) return kModemNoDialTone;
  if (containsEither(reply, "NO CARRI", "no carri")) return kModemNoCarrier;
  if (containsEither(reply, "BUSY", "busy")) return kModemBusy;
  if (containsEither(reply, "ANSW", "answ")) return kModemNoAnswer;
  if (ContainsText(reply, kEscapeReply)) return kModemCancelled;
  return kModemConnected;
}

// Commands and replies end in line ends that a status bar cannot show.
std::string_view withoutLineEnds(std::string_view text) {
  while (!text.empty() && isLineEnd(text.front())) text.remove_prefix(1);
  while (!text.empty() && (isLineEnd(text.back()) || text.back() == '\0')) text.remove_suffix(1);
  return text;
}

void showProgress(const ModemLine& line, bool progress, const std::string& text) {
  if (progress) line.frontend.setStatus(kStatusBar3, text);
}

// Waits at most 1 ms for input on the port; a port without input to come only sleeps.
void awaitInput(PortHandle port) {
  pollfd descriptor{port, POLLIN, 0};
  const int ready = poll(&descriptor, 1, 1);
  if (ready != 0 && (descriptor.revents & POLLIN) == 0) {
    std::this_thread::sleep_for(milliseconds(1));
  }
}

// Waits for `duration`, letting the user interface run.
void pause(const ModemLine& line, milliseconds duration) {
  const auto until = Clock::now() + duration;
  while (Clock::now() < until) {
    std::this_thread::sleep_for(std::min<Clock::duration>(milliseconds(1), until - Clock::now()));
    line.frontend.processEvents();
  }
}

bool writeText(PortHandle port, std::string_view text) {
  return WriteComBytes(port, reinterpret_cast<const unsigned char*>(text.data()),
                       static_cast<int>(text.size()));
}

enum class ReadOutcome { kLine, kTimeout, kEscape };

// Reads one reply line into reply: bytes up to the first line end are dropped, the line end
// starts the reply, which then ends at a line end after at least 3 more characters or at 255
// characters. With watchEscape an Escape ends the wait.
ReadOutcome readReplyLine(const ModemLine& line, Clock::time_point deadline, bool watchEscape,
                          std::string& reply) {
  reply.clear();
  for (;;) {
    line.frontend.processEvents();
    if (watchEscape && line.frontend.takeEscape()) return ReadOutcome::kEscape;
    unsigned char byte = 0;
    const int got = ReadComByte(line.port, byte);
    if (got < 0) ClearComErrors(line.port);
    if (got > 0 && (!reply.empty() || isLineEnd(static_cast<char>(byte)))) {
      reply.push_back(static_cast<char>(byte));
      const bool lineDone = reply.size() >= kMinReplyLine && isLineEnd(reply.back());
      if (lineDone || reply.size() >= kMaxReply) return ReadOutcome::kLine;
    }
    if (Clock::now() > deadline) return ReadOutcome::kTimeout;
    if (got <= 0) awaitInput(line.port);
  }
}

enum class ResetStep { kEscape, kEchoOff, kVerbose };

}  // namespace

const char* modemResultText(int code) {
  return code >= 0 && code < static_cast<int>(kResultTexts.size()) ? kResultTexts[code] : "";
}

bool ContainsText(std::string_view text, std::string_view fragment) {
  if (text.empty() || fragment.size() > text.size()) return false;
  return text.find(fragment) != std::string_view::npos;
}

std::string CleanPhoneNumber(std::string_view phone) {
  std::string digits;
  for (const char c : phone) {
    if (c != ' ' && c != '-' && c != '(' && c != ')') digits.push_back(c);
  }
  return digits;
}

std::vector<std::string> splitModemCommands(std::string_view commandText) {
  std::vector<std::string> commands;
  while (!commandText.empty()) {
    const std::size_t end = std::min(commandText.find('^'), commandText.size());
    const std::string_view piece = commandText.substr(0, end);
    for (std::size_t at = 0; at + 1 < piece.size(); ++at) {
      if (std::toupper(static_cast<unsigned char>(piece[at])) == 'A' &&
          std::toupper(static_cast<unsigned char>(piece[at + 1])) == 'T') {
        commands.push_back(std::string(piece.substr(at)) + '\r');
        break;
      }
    }
    commandText.remove_prefix(std::min(end + 1, commandText.size()));
  }
  return commands;
}

int ModemCommand(const ModemLine& line, std::string_view command, std::string& reply,
                 std::chrono::milliseconds timeout, bool progress) {
  const std::string shown(withoutLineEnds(command));
  showProgress(line, progress,
               format(" Установление связи по телефону. Команда %s.", shown.c_str()));
  PurgeComPort(line.port);
  reply.clear();
  std::this_thread::sleep_for(kBeforeWrite);
  // A command that cannot be written gets no reply; waiting for one would only cost time.
  if (!writeText(line.port, command)) return kModemReplyTimeout;
  switch (readReplyLine(line, Clock::now() + timeout, true, reply)) {
    case ReadOutcome::kEscape:
      reply = kEscapeReply;
      return kModemCancelled;
    case ReadOutcome::kTimeout:
      return kModemReplyTimeout;
    case ReadOutcome::kLine:
      break;
  }
  const std::string answer(withoutLineEnds(reply));
  showProgress(line, progress,
               format(" Установление связи по телефону. Команда %s.  Ответ %s", shown.c_str(),
                      answer.c_str()));
  return classifyReply(reply);
}

int ModemReset(const ModemLine& line, bool progress) {
  const milliseconds wait = line.timings.replyWait;
  std::string reply;
  int code = ModemCommand(line, kEchoOff, reply, wait, progress);
  if (code != kModemConnected && code != kModemReplyTimeout) return code;
  ResetStep step =
      code == kModemConnected && isAcceptable(reply) ? ResetStep::kVerbose : ResetStep::kEscape;
  bool escapeAnswered = false;
  for (int attemptsLeft = kResetAttempts;;) {
    if (step == ResetStep::kEscape) {
      pause(line, line.timings.escapeGuard);
      code = ModemCommand(line, kEscapeSequence, reply, wait, false);
      if (code == kModemReplyTimeout) return kModemAbsent;
      if (code != kModemConnected) return code;
      escapeAnswered = isAcceptable(reply);
      step = ResetStep::kEchoOff;
    }
    if (step == ResetStep::kEchoOff) {
      pause(line, line.timings.escapeGuard);
      code = ModemCommand(line, kEchoOff, reply, wait, false);
      if (code != kModemConnected || isAcceptable(reply)) return code;
    }
    code = ModemCommand(line, kVerbose, reply, wait, progress);
    if (code != kModemConnected || isAcceptable(reply)) return code;
    if (--attemptsLeft == 0) return kModemConnected;
    step = escapeAnswered ? ResetStep::kEchoOff : ResetStep::kEscape;
  }
}

bool CheckGsmReady(const ModemLine& line, bool progress) {
  PurgeComPort(line.port);
  showProgress(line, progress, " Проверка готовности GSM. Команда AT+CPAS");
  if (!writeText(line.port, kGsmStatusQuery)) return false;
  std::string reply;
  for (const std::string_view expected : {"+CPAS: 0", "OK"}) {
    // Escape is not watched here: a press stays pending and ends the dial that follows.
    const auto deadline = Clock::now() + line.timings.replyWait;
    if (readReplyLine(line, deadline, false, reply) != ReadOutcome::kLine) return false;
    const std::string answer(withoutLineEnds(reply));
    showProgress(line, progress,
                 format(" Проверка готовности GSM. Команда AT+CPAS. Ответ %s", answer.c_str()));
    if (!ContainsText(reply, expected)) return false;
  }
  return true;
}

int DialModem(const ModemLine& line, std::string_view phone, std::string_view commandText,
              bool progress, int attempts, int connectWaitS) {
  int code = ModemReset(line, progress);
  if (code != kModemConnected) return code;
  const std::vector<std::string> commands = splitModemCommands(commandText);
  const std::string dial = "ATD" + CleanPhoneNumber(phone) + '\r';
  const milliseconds connectWait = std::chrono::seconds(connectWaitS);
  pause(line, line.timings.settleAfterReset);
  std::string reply;
  for (int attempt = 0; attempt < std::max(attempts, 1); ++attempt) {
    code = kModemConnected;
    for (const std::string& command : commands) {
      line.frontend.processEvents();
      code = ModemCommand(line, command, reply, connectWait, progress);
      if (code == kModemConnected && !containsEither(reply, "OK", "ok")) code = kModemNotConnected;
      if (code != kModemConnected) break;
      pause(line, line.timings.commandPause);
    }
    // The user who pressed Escape wants no further attempts either.
    if (code == kModemCancelled) return code;
    if (code != kModemConnected) continue;
    if (!CheckGsmReady(line, progress)) return kModemGsmNotReady;
    code = ModemCommand(line, dial, reply, connectWait, progress);
    if (code == kModemCancelled) return code;
    if (code != kModemConnected) continue;
    if (containsEither(reply, "ONNE", "onne")) {
      pause(line, line.timings.commandPause);
      return kModemConnected;
    }
    code = kModemNotConnected;
  }
  return code;
}

void HangUpModem(const ModemLine& line) {
  std::string reply;
  pause(line, line.timings.hangUpGuard);
  ModemCommand(line, kEscapeSequence, reply, line.timings.hangUpReplyWait, false);
  ModemCommand(line, kHangUp, reply, line.timings.hangUpReplyWait, false);
}

}  // namespace zvc
