#include "core/link/connect_dialog_logic.h"

#include <array>
#include <chrono>
#include <thread>

#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/link/link_status.h"
#include "core/link/tcp_link.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kErrorKind = 1;
constexpr int kInputErrorKind = 2;
constexpr int kExchangeResultKind = 5;
constexpr int kPlainKind = 6;
constexpr int kErrorTextPanel = 2;
constexpr auto kSettleTime = std::chrono::milliseconds(300);

// The letters СОМ are Cyrillic in this message. The second line names the device behind the
// number: on Linux the number alone does not say which one failed.
void showPortUnavailable(int kind, const kpsbox& engine, Frontend& frontend) {
  frontend.showMessage(kind, format("Коммуникационный порт СОМ%d недоступен", engine.comPort),
                       comPortPath(engine.comPort, engine.comPortOverrides));
}

const EthernetSubscriber* chosenSubscriber(const EthernetSubscriberList& list, bool chosen) {
  return chosen && list.selected < list.count ? &list.entries[list.selected] : nullptr;
}

bool connectEthernet(kpsbox& engine, LinkSettingsStore& store, std::uint8_t address,
                     bool subscriberChosen, Frontend& frontend) {
  EthernetLinkSettings& ethernet = store.settings.ethernet;
  if (!TcpConnect(engine, ethernet, address,
                  chosenSubscriber(ethernet.subscribers, subscriberChosen), frontend)) {
    return false;
  }
  store.save();
  refreshLinkStatus(store.settings, frontend);
  return true;
}

// The direct line and the telephone: the engine on the chosen port.
bool openSerialLink(kpsbox& engine, LinkSettingsStore& store, std::uint8_t address,
                    Frontend& frontend) {
  LinkSettings& settings = store.settings;
  storeConnectAddress(settings, address);
  store.save();
  refreshLinkStatus(settings, frontend);
  configureEngine(engine, settings);
  return openEnginePort(engine, frontend);
}

}  // namespace

bool openEnginePort(kpsbox& engine, Frontend& frontend) {
  // With "Do_Close_Port" the engine opens the port around each command itself.
  if (!engine.openPortPerExchange && !engine.OpenPort()) {
    showPortUnavailable(kErrorKind, engine, frontend);
    return false;
  }
  std::this_thread::sleep_for(kSettleTime);
  return true;
}

bool connectChosenLink(kpsbox& engine, LinkSettingsStore& store, const ConnectChoice& choice,
                       Frontend& frontend) {
  std::uint8_t address = 0;
  if (std::optional<InputError> error = checkConnectChoice(choice.linkKind, choice.addressText,
                                                           choice.subscriberChosen, address)) {
    frontend.showMessage(kInputErrorKind, error->line1, error->line2);
    return false;
  }
  store.settings.general.linkKind = *choice.linkKind;
  engine.ClosePort();
  if (*choice.linkKind == kEthernetLink) {
    return connectEthernet(engine, store, address, choice.subscriberChosen, frontend);
  }
  return openSerialLink(engine, store, address, frontend);
}

bool searchDeviceAddress(kpsbox& engine, LinkSettings& settings, Frontend& frontend) {
  configureEngineForAddressSearch(engine, settings);
  frontend.setBusy(true);
  if (!engine.OpenPort()) {
    frontend.setBusy(false);
    showPortUnavailable(kPlainKind, engine, frontend);
    return false;
  }
  constexpr std::array<std::uint8_t, 3> kTable0Field0{0, 0, 1};
  const bool answered = engine.Command(kpsbox::kReadTable, kTable0Field0.data(),
                                       static_cast<int>(kTable0Field0.size()), 0);
  engine.ClosePort();
  frontend.setBusy(false);
  if (!answered) {
    frontend.setStatus(kErrorTextPanel, engine.ErrorText());
    frontend.startMessageTimer();
    frontend.showMessage(kExchangeResultKind, "Устройство не обнаружено", "");
    return false;
  }
  // The engine has taken the address of the controller that answered.
  settings.direct.address = engine.address;
  frontend.showMessage(kExchangeResultKind, "Адрес устройства установлен",
                       format("(адрес = %d).", engine.address));
  return true;
}

}  // namespace zvc
