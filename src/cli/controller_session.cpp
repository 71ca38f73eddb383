#include "cli/controller_session.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "cli/link_options.h"
#include "core/app/connection_step.h"
#include "core/app/disconnect.h"
#include "core/link/connect_dialog_logic.h"
#include "core/link/tcp_link.h"
#include "core/ui/frontend.h"

namespace zvc::cli {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kIdentificationTable = 0;
constexpr int kSoftwareVersionField = 3;

// The IPv4 address of a dotted address or a host name, first part in the top byte.
std::optional<std::uint32_t> ipv4Of(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    return std::nullopt;
  }
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const std::uint32_t ip = ntohl(address->sin_addr.s_addr);
  freeaddrinfo(found);
  return ip;
}

}  // namespace

ControllerSession::ControllerSession(const WorkingFolder& folder, CliFrontend& frontend,
                                     TextOutput& errors)
    : frontend_(frontend),
      errors_(errors),
      store_(folder.linkSettingsFiles()),
      tables_(connection_, image_, store_.settings, frontend) {
  store_.load({});
  connection_.engine = &engine_;
  engine_.statusPanel = &frontend_;
  frontend_.watch(&connection_);
}

ControllerSession::~ControllerSession() {
  // A Ctrl-C not yet acted on must not cut the hang-up short: the modem needs its guard times.
  frontend_.takeEscape();
  disconnectLink(connection_, telephoneConnected_, frontend_);
  frontend_.watch(nullptr);
}

int ControllerSession::open(const LinkOptions& given, std::optional<Subscriber> subscriber) {
  std::optional<std::string> refused;
  if (!subscriber) refused = findSubscriber(given, store_.settings, subscriber);
  if (!refused) refused = applyLinkOptions(given, store_.settings, subscriber);
  if (refused) {
    errors_.line("zvc-cli: " + *refused);
    return kExitBadInput;
  }
  if (const int status = takeCredentials(given); status != kExitSuccess) return status;
  if (const int status = openLink(given, subscriber); status != kExitSuccess) return status;
  const TableRange identification{kIdentificationTable, 0,
                                  TableCatalogue::table(kIdentificationTable).fieldCount};
  if (!tables_.readTableRange(identification)) return kExitLinkFailed;
  if (!isServedController(image_, frontend_)) return kExitNotServed;
  return kExitSuccess;
}

int ControllerSession::openForTables(const LinkOptions& given,
                                     const std::optional<Subscriber>& subscriber) {
  if (const int status = open(given, subscriber); status != kExitSuccess) return status;
  if (softwareVersion() != kOlderSoftwareVersion) return kExitSuccess;
  errors_.line("zvc-cli: software version 14: restore the controller's tables with zvc first");
  return kExitNotServed;
}

int ControllerSession::softwareVersion() const {
  return image_.field(kIdentificationTable, kSoftwareVersionField)[0];
}

// Without --user the engine keeps its blank credentials, as after a declined prompt.
int ControllerSession::takeCredentials(const LinkOptions& given) {
  if (!given.user) return kExitSuccess;
  Credentials credentials;
  if (std::optional<InputError> error =
          acceptCredentials(*given.user, given.password.value_or(""), credentials)) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return kExitBadInput;
  }
  engine_.writePassword = credentials.writePassword;
  engine_.userCode = credentials.userCode;
  return kExitSuccess;
}

int ControllerSession::openLink(const LinkOptions& given,
                                const std::optional<Subscriber>& subscriber) {
  if (given.tcpHost) return connectTcp(given);
  if (subscriber) {
    if (const auto* ethernet = std::get_if<EthernetSubscriber>(&*subscriber)) {
      EthernetLinkSettings& settings = store_.settings.ethernet;
      return TcpConnect(engine_, settings, settings.params.address, ethernet, frontend_)
                 ? kExitSuccess
                 : kExitLinkFailed;
    }
  }
  configureEngine(engine_, store_.settings);
  if (!openEnginePort(engine_, frontend_)) return kExitLinkFailed;
  if (!subscriber) return kExitSuccess;
  return dial(std::get<PhoneSubscriber>(*subscriber));
}

// As the window dials, but a failed call is tried again only as often as a failed exchange.
int ControllerSession::dial(const PhoneSubscriber& subscriber) {
  const ModemLine line{.port = engine_.portHandle, .frontend = frontend_};
  const int result =
      dialWithRetry(line, store_.settings.phone, subscriber.phone, 1 + CliFrontend::kMaxRepeats);
  frontend_.setStatus(kStatusBar3, "");
  telephoneConnected_ = result == kModemConnected;
  return telephoneConnected_ ? kExitSuccess : kExitLinkFailed;
}

int ControllerSession::connectTcp(const LinkOptions& given) {
  const std::optional<std::uint32_t> ip = ipv4Of(*given.tcpHost);
  if (!ip) {
    errors_.line("zvc-cli: --tcp: no IPv4 address for \"" + *given.tcpHost + "\"");
    return kExitBadInput;
  }
  EthernetLinkSettings& ethernet = store_.settings.ethernet;
  const EthernetSubscriber controller{"", ethernet.params.address, *ip, given.tcpPort};
  return TcpConnect(engine_, ethernet, controller.address, &controller, frontend_)
             ? kExitSuccess
             : kExitLinkFailed;
}

}  // namespace zvc::cli
