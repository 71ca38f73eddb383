#include "core/link/link_status.h"

#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kLinkPanel = 0;
constexpr int kAddressPanel = 1;

void showPortAndSpeed(const LinkParams& params, Frontend& frontend) {
  frontend.setStatus(kLinkPanel, format(" COM%d,   %d бит/с", params.port, params.speed));
}

void showAddress(int address, Frontend& frontend) {
  frontend.setStatus(kAddressPanel, format(" Адр. %d", address));
}

}  // namespace

void refreshLinkStatus(const LinkSettings& settings, Frontend& frontend) {
  frontend.setStatus(kLinkPanel, "");
  frontend.setStatus(kAddressPanel, "");
  frontend.setStatus(kStatusBar2, "");
  switch (settings.general.linkKind) {
    case kDirectLink:
      showPortAndSpeed(settings.direct, frontend);
      showAddress(settings.direct.address, frontend);
      break;
    case kPhoneLink: {
      const PhoneSubscriberList& list = settings.phone.subscribers;
      if (list.count == 0) break;
      const PhoneSubscriber& chosen = list.entries[list.selected];
      showPortAndSpeed(settings.phone.params, frontend);
      showAddress(chosen.address, frontend);
      frontend.setStatus(kStatusBar2,
                         format(" %s (тел. %s)", chosen.name.c_str(), chosen.phone.c_str()));
      break;
    }
    case kEthernetLink: {
      const EthernetSubscriberList& list = settings.ethernet.subscribers;
      if (list.count == 0) break;
      const EthernetSubscriber& chosen = list.entries[list.selected];
      const std::array<int, 4> ip = ipParts(chosen.ip);
      showAddress(chosen.address, frontend);
      frontend.setStatus(kStatusBar2, format(" %s (IP-адр. %d.%d.%d.%d)", chosen.name.c_str(),
                                             ip[0], ip[1], ip[2], ip[3]));
      break;
    }
  }
}

}  // namespace zvc
