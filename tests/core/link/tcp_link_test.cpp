#include "core/link/tcp_link.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <thread>

#include "core/common/crc16.h"
#include "core/link/kpsbox.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using Reply = test::ScriptedController::Reply;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t kLoopback = 0x7F000001;  // 127.0.0.1, first part on top

// A socket bound to a free port on 127.0.0.1: connects are refused until listen() is called.
class LocalServer {
 public:
  LocalServer() {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof where;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&where), size) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&where), &size) != 0) {
      throw std::runtime_error("no loopback port");
    }
    port_ = ntohs(where.sin_port);
  }
  ~LocalServer() { close(socket_); }

  void listen() { ::listen(socket_, 1); }
  int accept() { return ::accept(socket_, nullptr, nullptr); }
  int port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};

EthernetSubscriber loopbackSubscriber(int port) {
  return {.name = "Стенд", .address = 7, .ip = kLoopback, .port = port};
}

EthernetLinkSettings shortWaitSettings() {
  EthernetLinkSettings settings;
  settings.connectWaitS = 1;
  settings.params.preambles = 2;
  settings.params.tries = 3;
  settings.params.nextByteWaitMs = 250;
  settings.params.firstByteWaitS = 4;
  return settings;
}

class TcpConnectTest : public ::testing::Test {
 protected:
  ~TcpConnectTest() override {
    if (engine.tcpSocket >= 0) close(engine.tcpSocket);
  }

  kpsbox engine;
  test::RecordingFrontend frontend;
  LocalServer server;
  EthernetLinkSettings settings = shortWaitSettings();
};

TEST_F(TcpConnectTest, ListeningServerConnectsAndConfiguresTheEngine) {
  server.listen();
  const EthernetSubscriber subscriber = loopbackSubscriber(server.port());
  const auto start = Clock::now();
  ASSERT_TRUE(TcpConnect(engine, settings, 9, &subscriber, frontend));
  EXPECT_GE(Clock::now() - start, milliseconds(1000));  // the line settles first
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_FALSE(frontend.busy);
  EXPECT_EQ(settings.params.address, 9);
  EXPECT_GE(engine.tcpSocket, 0);
  EXPECT_EQ(engine.portHandle, kNoPort);
  EXPECT_EQ(engine.linkType, kpsbox::kTcp);
  EXPECT_FALSE(engine.openPortPerExchange);
  EXPECT_EQ(engine.address, 7);
  EXPECT_EQ(engine.preambleCount, 2);
  EXPECT_EQ(engine.tries, 3);
  EXPECT_EQ(engine.interByteTimeoutMs, 250);
  EXPECT_EQ(engine.responseTimeoutMs, 4000);
  EXPECT_EQ(engine.tcpSendPauseMs, 500);

  const int accepted = server.accept();
  ASSERT_GE(accepted, 0);
  test::Bytes answer{0x33, 7, 11, 0x81, 0, 0, 1, 1, 73, 0, 0};
  appendCrc16(answer.data(), answer.size() - 2);
  test::ScriptedController controller(accepted, {Reply{answer}});
  const std::uint8_t range[] = {0, 1, 1};
  EXPECT_TRUE(engine.Command(kpsbox::kReadTable, range, 3, 0)) << engine.ErrorText();
  controller.finish();
  const auto requests = controller.requests();
  ASSERT_EQ(requests.size(), 1u);
  // One second of settling after the connection, then the engine's own 500 ms before sending.
  EXPECT_GE(requests[0].arrived - start, milliseconds(1500));
  EXPECT_EQ(requests[0].wire.size(), 2u + 10u);
  close(accepted);
}

TEST_F(TcpConnectTest, RefusedConnectionTimesOutAfterTheConnectWait) {
  const EthernetSubscriber subscriber = loopbackSubscriber(server.port());
  const auto start = Clock::now();
  EXPECT_FALSE(TcpConnect(engine, settings, 1, &subscriber, frontend));
  const auto took = Clock::now() - start;
  EXPECT_GE(took, milliseconds(1000));
  EXPECT_LT(took, milliseconds(5000));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 1);
  EXPECT_EQ(frontend.messages[0].line1, "Превышено время ожидания соединения сервер/клиент");
  EXPECT_EQ(engine.tcpSocket, -1);
  EXPECT_FALSE(frontend.busy);
  EXPECT_NE(engine.linkType, kpsbox::kTcp);
}

TEST_F(TcpConnectTest, RefusalsAreRetriedUntilTheServerListens) {
  settings.connectWaitS = 5;
  const EthernetSubscriber subscriber = loopbackSubscriber(server.port());
  std::thread lateStart([this] {
    std::this_thread::sleep_for(milliseconds(300));
    server.listen();
  });
  const bool connected = TcpConnect(engine, settings, 1, &subscriber, frontend);
  lateStart.join();
  EXPECT_TRUE(connected);
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(TcpConnectTest, NoSubscriberIsMissingInput) {
  EXPECT_FALSE(TcpConnect(engine, settings, 12, nullptr, frontend));
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 2);
  EXPECT_EQ(frontend.messages[0].line1, "Введены не все параметры");
  EXPECT_EQ(settings.params.address, 12);  // the dialog's address is kept all the same
  EXPECT_EQ(engine.tcpSocket, -1);
}

TEST(ResolveAddress, DottedAddressAndPortInNetworkOrder) {
  const std::optional<sockaddr_in> broadcast = ResolveAddress("255.255.255.255", "502");
  ASSERT_TRUE(broadcast);
  EXPECT_EQ(broadcast->sin_family, AF_INET);
  EXPECT_EQ(broadcast->sin_addr.s_addr, INADDR_BROADCAST);
  EXPECT_EQ(broadcast->sin_port, htons(502));

  const std::optional<sockaddr_in> zero = ResolveAddress("0.0.0.0", "0");
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->sin_addr.s_addr, 0u);
}

TEST(ResolveAddress, OnlyFourDecimalPartsAndA16BitPort) {
  const struct {
    const char* address;
    const char* port;
  } kRefused[] = {
      {"127.1", "80"},  // shorthand forms that inet_addr would take
      {"0x7f.0.0.1", "80"}, {"010.0.0.1", "80"},  {"256.1.1.1", "80"}, {"1.2.3.4.5", "80"},
      {"", "80"},           {"1.2.3.4", "65536"}, {"1.2.3.4", "-1"},   {"1.2.3.4", "8o"},
  };
  for (const auto& c : kRefused) {
    EXPECT_FALSE(ResolveAddress(c.address, c.port)) << c.address << ":" << c.port;
  }
}

TEST(ResolveAddress, StoredAddressOrderIsFirstPartOnTop) {
  // The address book keeps 192.168.1.10 as the bytes 10, 1, 168, 192.
  const std::uint8_t stored[4] = {10, 1, 168, 192};
  EthernetSubscriber subscriber;
  subscriber.ip = stored[0] | stored[1] << 8 | stored[2] << 16 | std::uint32_t{stored[3]} << 24;
  subscriber.port = 4001;
  EXPECT_EQ(subscriberAddressText(subscriber), "192.168.1.10");

  const std::optional<sockaddr_in> where =
      ResolveAddress(subscriberAddressText(subscriber), std::to_string(subscriber.port));
  ASSERT_TRUE(where);
  const std::uint8_t wire[4] = {192, 168, 1, 10};
  EXPECT_EQ(std::memcmp(&where->sin_addr, wire, 4), 0);
  EXPECT_EQ(where->sin_port, htons(4001));
}

}  // namespace
}  // namespace zvc
