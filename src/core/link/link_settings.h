#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/baud_rates.h"
#include "core/link/serial_port.h"
#include "core/link/subscribers.h"

namespace zvc {

class kpsbox;

enum LinkKind : std::uint8_t { kDirectLink = 0, kPhoneLink = 1, kEthernetLink = 2 };

struct ValueRange {
  int min;
  int max;
  bool contains(long long value) const { return value >= min && value <= max; }
};

// What the link-parameter dialog accepts.
inline constexpr ValueRange kComPortRange{1, 255};
inline constexpr ValueRange kAddressRange{1, 255};
inline constexpr ValueRange kTriesRange{1, 5};
inline constexpr ValueRange kFirstByteWaitRange{1, 120};   // s
inline constexpr ValueRange kNextByteWaitRange{55, 5000};  // ms
inline constexpr ValueRange kPreamblesRange{0, 255};
inline constexpr ValueRange kPortReleaseWaitRange{1, 20};  // s
inline constexpr ValueRange kConnectWaitRange{1, 360};     // s
inline constexpr ValueRange kConnectAttemptsRange{1, 10};
inline constexpr ValueRange kTcpRequestPauseRange{0, 5000};  // ms
// The modem command field is 200 bytes with its terminating zero.
inline constexpr std::size_t kModemCommandChars = 199;

// The parameters of one link kind.
struct LinkParams {
  std::uint8_t port = 1;  // COM number
  std::uint8_t address = 1;
  std::int32_t speed = 38400;  // bit/s
  std::uint8_t preambles = 5;
  std::uint8_t tries = 1;
  std::int32_t nextByteWaitMs = 100;
  std::int32_t firstByteWaitS = 2;
  bool operator==(const LinkParams&) const = default;
};

// The four regions below are saved each into its own section of "zvc.ini" when it changed.

// "CURR_PAR"
struct GeneralSettings {
  std::uint8_t linkKind = kDirectLink;
  std::int32_t portReleaseWaitS = 1;
  bool closePortAfterEachCommand = false;  // direct line only
  std::int32_t formHeight = 680;
  std::int32_t formWidth = 1000;
  std::int32_t formLeft = 0;
  std::int32_t formTop = 0;
  bool operator==(const GeneralSettings&) const = default;
};

// "FON_CONN_PAR"
struct PhoneLinkSettings {
  LinkParams params{.firstByteWaitS = 6};
  PhoneSubscriberList subscribers;
  bool defaultCommand = false;  // kept and written back, not used
  std::string modemCommand;     // sent before dialling
  std::int32_t connectWaitS = 50;
  bool autoRepeat = false;  // kept and written back, not used
  std::int32_t connectAttempts = 1;
  bool operator==(const PhoneLinkSettings&) const = default;
};

// "ETHERNET_CONN_PAR"; the port and speed of its LinkParams are not used.
struct EthernetLinkSettings {
  LinkParams params{.nextByteWaitMs = 300, .firstByteWaitS = 5};
  EthernetSubscriberList subscribers;
  std::int32_t connectWaitS = 10;
  std::int32_t connectAttempts = 1;
  // Before every request; the exchange prescribes 500 ms, a fast network needs none.
  std::int32_t requestPauseMs = 500;
  bool operator==(const EthernetLinkSettings&) const = default;
};

struct LinkSettings {
  GeneralSettings general;
  LinkParams direct;
  PhoneLinkSettings phone;
  EthernetLinkSettings ethernet;
  // Section "PORTS" (key "COMn" -> device path): read, never written by us.
  PortOverrides ports;
  bool operator==(const LinkSettings&) const = default;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// Reads "zvc.ini" (not the address books); a missing file gives the defaults, the window centred
// on the screen.
LinkSettings readLinkSettings(const std::filesystem::path& file, ScreenSize screen);

struct SettingsFiles {
  std::filesystem::path settings;      // "zvc.ini"
  std::filesystem::path phoneList;     // "fon_abonents.ini"
  std::filesystem::path ethernetList;  // "ethr_abonents.ini"
};

// The link settings of the run with the copies of what the files hold, so that saving writes
// only what changed.
class LinkSettingsStore {
 public:
  explicit LinkSettingsStore(SettingsFiles files) : files_(std::move(files)) {}

  // "zvc.ini" and both address books, then the copies.
  void load(ScreenSize screen);
  // Writes to "zvc.ini" only the sections whose region differs from the copy; nothing when
  // nothing changed. False when the file could not be written (the copy then stays as it was).
  bool save();
  // Write an address book when it differs from what its file holds.
  bool savePhoneList();
  bool saveEthernetList();

  LinkSettings settings;

 private:
  SettingsFiles files_;
  LinkSettings saved_;
  PhoneSubscriberList phoneListFile_;
  EthernetSubscriberList ethernetListFile_;
};

// The LinkParams of the chosen link kind.
LinkParams& chosenLinkParams(LinkSettings& settings);
const LinkParams& chosenLinkParams(const LinkSettings& settings);

// The engine set up for the chosen link kind, before its port is opened.
void configureEngine(kpsbox& engine, const LinkSettings& settings);
// The direct line with address 255, the port held open: "Поиск адреса устройства".
void configureEngineForAddressSearch(kpsbox& engine, const LinkSettings& settings);

// The port exists when its device opens for reading and writing, or when it is only busy (held
// exclusively by another program, or not ours to open). It is closed again at once.
bool PortExists(int port, const PortOverrides& overrides);
// The same test for a device path.
bool deviceExists(const std::string& path);

// "Связаться": the link kind and address chosen, the address within 1..255, and for the
// telephone a subscriber chosen. On success address holds the typed address.
std::optional<InputError> checkConnectChoice(std::optional<std::uint8_t> linkKind,
                                             std::string_view addressText, bool subscriberChosen,
                                             std::uint8_t& address);
// The typed address is kept in the direct or the telephone LinkParams.
void storeConnectAddress(LinkSettings& settings, std::uint8_t address);

// The fields of the link-parameter dialog as the user left them. Lists give their choice or
// nothing; edit fields their text.
struct LinkParamsInput {
  std::optional<int> port;   // COM number
  std::optional<int> speed;  // bit/s
  std::optional<int> tries;
  std::string preambles;
  std::string firstByteWait;
  std::string nextByteWait;
  bool closePortAfterEachCommand = false;  // direct line
  std::string portReleaseWait;             // direct line, with the check box set
  std::string modemCommand;                // telephone
  std::string connectWait;                 // telephone, Ethernet
  std::string connectAttempts;             // telephone, Ethernet
  std::string requestPause;                // Ethernet
};

// The fields as the dialog shows them on opening.
LinkParamsInput linkParamsInput(const LinkSettings& settings, std::uint8_t linkKind);
// "Принять": the first failure in the dialog's order, or the values stored into settings.
std::optional<InputError> acceptLinkParams(std::uint8_t linkKind, const LinkParamsInput& input,
                                           LinkSettings& settings);

}  // namespace zvc
