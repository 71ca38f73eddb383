#include "core/link/tcp_link.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The platform's plain message box of this link shows as the program's error message.
constexpr int kMessageBoxKind = 1;
constexpr int kInputErrorKind = 2;
constexpr int kMaxTcpPort = 65535;
constexpr auto kSettleTime = std::chrono::seconds(1);
// A refused connect returns at once; the pause keeps the retries from spinning.
constexpr auto kRetryPause = milliseconds(10);

enum class ConnectOutcome { kConnected, kFailed, kNoSocket };

int millisecondsLeft(Clock::time_point until) {
  const auto left = std::chrono::ceil<milliseconds>(until - Clock::now()).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

// True when a non-blocking connect in progress completes before `until`.
bool awaitConnect(int socket, Clock::time_point until) {
  for (;;) {
    pollfd descriptor{socket, POLLOUT, 0};
    const int ready = poll(&descriptor, 1, millisecondsLeft(until));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    int error = 0;
    socklen_t size = sizeof error;
    return getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
}

// One connect on a new socket (a socket whose connect failed cannot be used again), waiting no
// longer than `until`. The connected socket is left blocking, as the engine expects.
ConnectOutcome connectOnce(const sockaddr_in& target, Clock::time_point until, int& connected) {
  const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (socket < 0) return ConnectOutcome::kNoSocket;
  const bool done =
      ::connect(socket, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0 ||
      (errno == EINPROGRESS && awaitConnect(socket, until));
  if (!done || fcntl(socket, F_SETFL, fcntl(socket, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(socket);
    return ConnectOutcome::kFailed;
  }
  connected = socket;
  return ConnectOutcome::kConnected;
}

// Connects again and again until it succeeds or `deadline` has passed.
ConnectOutcome connectUntil(const sockaddr_in& target, Clock::time_point deadline, int& connected) {
  for (;;) {
    const ConnectOutcome outcome = connectOnce(target, deadline, connected);
    if (outcome != ConnectOutcome::kFailed || Clock::now() >= deadline) return outcome;
    std::this_thread::sleep_until(std::min(Clock::now() + kRetryPause, deadline));
  }
}

void configureForTcp(kpsbox& engine, const EthernetLinkSettings& settings,
                     std::uint8_t controllerAddress) {
  const LinkParams& params = settings.params;
  engine.ClosePort();
  engine.address = controllerAddress;
  engine.linkType = kpsbox::kTcp;
  engine.openPortPerExchange = false;
  engine.responseTimeoutMs = params.firstByteWaitS * 1000;
  engine.interByteTimeoutMs = params.nextByteWaitMs;
  engine.preambleCount = params.preambles;
  engine.tries = params.tries;
  engine.tcpSendPauseMs = settings.requestPauseMs;
}

}  // namespace

std::optional<sockaddr_in> ResolveAddress(std::string_view addressText, std::string_view portText) {
  sockaddr_in where{};
  where.sin_family = AF_INET;
  const std::string address(addressText);
  const std::optional<long long> port = parseInteger(portText);
  if (inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1 || !port || *port < 0 ||
      *port > kMaxTcpPort) {
    return std::nullopt;
  }
  where.sin_port = htons(static_cast<std::uint16_t>(*port));
  return where;
}

std::string subscriberAddressText(const EthernetSubscriber& subscriber) {
  const auto parts = ipParts(subscriber.ip);
  return format("%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
}

bool TcpConnect(kpsbox& engine, EthernetLinkSettings& settings, std::uint8_t chosenAddress,
                const EthernetSubscriber* subscriber, Frontend& frontend) {
  settings.params.address = chosenAddress;
  // A socket left from an earlier link would never be closed otherwise.
  if (engine.tcpSocket >= 0) close(engine.tcpSocket);
  engine.tcpSocket = -1;
  const auto deadline = Clock::now() + std::chrono::seconds(settings.connectWaitS);
  const std::optional<sockaddr_in> target =
      subscriber
          ? ResolveAddress(subscriberAddressText(*subscriber), format("%d", subscriber->port))
          : std::nullopt;
  if (!target) {
    frontend.showMessage(kInputErrorKind, "Введены не все параметры", "");
    return false;
  }
  frontend.setBusy(true);
  const ConnectOutcome outcome = connectUntil(*target, deadline, engine.tcpSocket);
  if (outcome == ConnectOutcome::kConnected) {
    std::this_thread::sleep_for(kSettleTime);
    configureForTcp(engine, settings, subscriber->address);
  }
  frontend.setBusy(false);
  if (outcome == ConnectOutcome::kNoSocket) {
    frontend.showMessage(kMessageBoxKind, "Ошибка вызова socket", "");
  } else if (outcome == ConnectOutcome::kFailed) {
    frontend.showMessage(kMessageBoxKind, "Превышено время ожидания соединения сервер/клиент", "");
  }
  return outcome == ConnectOutcome::kConnected;
}

}  // namespace zvc
