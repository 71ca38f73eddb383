#include "core/link/link_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/common/format.h"
#include "core/common/ini_file.h"
#include "core/link/kpsbox.h"

namespace zvc {
namespace {

constexpr const char* kGeneralSection = "CURR_PAR";
constexpr const char* kDirectSection = "DIR_CONN_PAR";
constexpr const char* kPhoneSection = "FON_CONN_PAR";
constexpr const char* kEthernetSection = "ETHERNET_CONN_PAR";
constexpr const char* kPortsSection = "PORTS";
// Not in files of older installations, which therefore keep the 500 ms pause.
constexpr const char* kRequestPauseKey = "RequestPauseMs";

// X11 keeps window positions and sizes in 16 bits.
constexpr ValueRange kWindowPosition{-32768, 32767};
constexpr ValueRange kWindowSize{1, 32767};
constexpr ValueRange kSpeedRange{kBaudRates.front(), kBaudRates.back()};

constexpr const char* kOutOfRange = "Параметр вне допустимого диапазона";
constexpr const char* kRequestPauseName = "Пауза перед запросом по Ethernet";

// A hand-edited "zvc.ini" may hold anything. Every value is brought into the range the dialogs
// allow: that keeps at least one try per command, waits short enough for the engine's ms
// arithmetic and for the user's patience, and COM numbers and addresses in their bytes. An
// unknown link kind falls back to the direct line.
class SettingsReader {
 public:
  explicit SettingsReader(const IniFile& file) : file_(file) {}

  int number(const char* section, const char* key, int fallback, ValueRange range) const {
    return static_cast<int>(
        std::clamp<long long>(file_.getInteger(section, key, fallback), range.min, range.max));
  }
  bool flag(const char* section, const char* key) const {
    return file_.getInteger(section, key, 0) != 0;
  }
  std::string text(const char* section, const char* key) const {
    return file_.getString(section, key, "");
  }

  // Port and speed only where the file holds them (not for Ethernet).
  void linkParams(const char* section, bool withPortAndSpeed, LinkParams& params) const {
    if (withPortAndSpeed) {
      params.port =
          static_cast<std::uint8_t>(number(section, "COMPort", params.port, kComPortRange));
      params.speed = number(section, "Rate", params.speed, kSpeedRange);
    }
    params.address =
        static_cast<std::uint8_t>(number(section, "Adr", params.address, kAddressRange));
    params.preambles =
        static_cast<std::uint8_t>(number(section, "Preambles", params.preambles, kPreamblesRange));
    params.tries = static_cast<std::uint8_t>(number(section, "Repeat", params.tries, kTriesRange));
    params.nextByteWaitMs = number(section, "TimeOut", params.nextByteWaitMs, kNextByteWaitRange);
    params.firstByteWaitS = number(section, "WaitTime", params.firstByteWaitS, kFirstByteWaitRange);
  }

 private:
  const IniFile& file_;
};

void readGeneral(const SettingsReader& in, ScreenSize screen, GeneralSettings& general) {
  const int kind = in.number(kGeneralSection, "Conn_Prz", kDirectLink, {INT32_MIN, INT32_MAX});
  general.linkKind =
      static_cast<std::uint8_t>(kind >= 0 && kind <= kEthernetLink ? kind : kDirectLink);
  general.portReleaseWaitS =
      in.number(kGeneralSection, "Free_Port_Wait", general.portReleaseWaitS, kPortReleaseWaitRange);
  general.closePortAfterEachCommand = in.flag(kGeneralSection, "Do_Close_Port");
  general.formWidth = in.number(kGeneralSection, "Form_Width", general.formWidth, kWindowSize);
  general.formHeight = in.number(kGeneralSection, "Form_Height", general.formHeight, kWindowSize);
  general.formLeft = in.number(kGeneralSection, "Form_Left", (screen.width - general.formWidth) / 2,
                               kWindowPosition);
  general.formTop = in.number(kGeneralSection, "Form_Top", (screen.height - general.formHeight) / 2,
                              kWindowPosition);
}

void readPhone(const SettingsReader& in, PhoneLinkSettings& phone) {
  in.linkParams(kPhoneSection, true, phone.params);
  phone.defaultCommand = in.flag(kPhoneSection, "Default_Command");
  phone.modemCommand = cutToField(in.text(kPhoneSection, "Command"), kModemCommandChars);
  phone.connectWaitS =
      in.number(kPhoneSection, "ConnectWaitTime", phone.connectWaitS, kConnectWaitRange);
  phone.autoRepeat = in.flag(kPhoneSection, "AutoRepeat");
  phone.connectAttempts =
      in.number(kPhoneSection, "Conn_Repeat", phone.connectAttempts, kConnectAttemptsRange);
}

void readEthernet(const SettingsReader& in, EthernetLinkSettings& ethernet) {
  in.linkParams(kEthernetSection, false, ethernet.params);
  ethernet.connectWaitS =
      in.number(kEthernetSection, "ConnectWaitTime", ethernet.connectWaitS, kConnectWaitRange);
  ethernet.connectAttempts =
      in.number(kEthernetSection, "Conn_Repeat", ethernet.connectAttempts, kConnectAttemptsRange);
  ethernet.requestPauseMs = in.number(kEthernetSection, kRequestPauseKey, ethernet.requestPauseMs,
                                      kTcpRequestPauseRange);
}

PortOverrides readPorts(const IniFile& file) {
  PortOverrides ports;
  for (int n = kComPortRange.min; n <= kComPortRange.max; ++n) {
    const std::string path = file.getString(kPortsSection, format("COM%d", n), "");
    if (!path.empty()) ports[n] = path;
  }
  return ports;
}

void writeGeneral(IniFile& file, const GeneralSettings& general) {
  file.setInteger(kGeneralSection, "Conn_Prz", general.linkKind);
  file.setInteger(kGeneralSection, "Free_Port_Wait", general.portReleaseWaitS);
  file.setInteger(kGeneralSection, "Do_Close_Port", general.closePortAfterEachCommand ? 1 : 0);
  file.setInteger(kGeneralSection, "Form_Width", general.formWidth);
  file.setInteger(kGeneralSection, "Form_Height", general.formHeight);
  file.setInteger(kGeneralSection, "Form_Left", general.formLeft);
  file.setInteger(kGeneralSection, "Form_Top", general.formTop);
}

void writeLinkParams(IniFile& file, const char* section, bool withPortAndSpeed,
                     const LinkParams& params) {
  if (withPortAndSpeed) file.setInteger(section, "COMPort", params.port);
  file.setInteger(section, "Adr", params.address);
  if (withPortAndSpeed) file.setInteger(section, "Rate", params.speed);
  file.setInteger(section, "Preambles", params.preambles);
  file.setInteger(section, "Repeat", params.tries);
  file.setInteger(section, "TimeOut", params.nextByteWaitMs);
  file.setInteger(section, "WaitTime", params.firstByteWaitS);
}

void writePhone(IniFile& file, const PhoneLinkSettings& phone) {
  writeLinkParams(file, kPhoneSection, true, phone.params);
  file.setInteger(kPhoneSection, "Default_Command", phone.defaultCommand ? 1 : 0);
  file.setString(kPhoneSection, "Command", phone.modemCommand);
  file.setInteger(kPhoneSection, "ConnectWaitTime", phone.connectWaitS);
  file.setInteger(kPhoneSection, "AutoRepeat", phone.autoRepeat ? 1 : 0);
  file.setInteger(kPhoneSection, "Conn_Repeat", phone.connectAttempts);
}

void writeEthernet(IniFile& file, const EthernetLinkSettings& ethernet) {
  writeLinkParams(file, kEthernetSection, false, ethernet.params);
  file.setInteger(kEthernetSection, "ConnectWaitTime", ethernet.connectWaitS);
  file.setInteger(kEthernetSection, "Conn_Repeat", ethernet.connectAttempts);
  file.setInteger(kEthernetSection, kRequestPauseKey, ethernet.requestPauseMs);
}

template <typename Settings>
auto& paramsOf(Settings& settings, std::uint8_t linkKind) {
  switch (linkKind) {
    case kPhoneLink:
      return settings.phone.params;
    case kEthernetLink:
      return settings.ethernet.params;
    default:
      return settings.direct;
  }
}

void configureFrom(kpsbox& engine, const LinkSettings& settings, std::uint8_t linkKind,
                   const LinkParams& params) {
  engine.address = params.address;
  engine.baudRate = params.speed;
  engine.comPort = params.port;
  engine.linkType = linkKind;
  engine.portOpenWaitSeconds = settings.general.portReleaseWaitS;
  engine.openPortPerExchange =
      linkKind == kDirectLink && settings.general.closePortAfterEachCommand;
  engine.responseTimeoutMs = std::clamp(params.firstByteWaitS, 0, INT32_MAX / 1000) * 1000;
  engine.interByteTimeoutMs = params.nextByteWaitMs;
  engine.preambleCount = params.preambles;
  engine.tries = params.tries;
  engine.comPortOverrides = settings.ports;
  engine.tcpSendPauseMs = settings.ethernet.requestPauseMs;
}

// A filled edit field of the dialog: its value when within range.
std::optional<int> fieldValue(std::string_view text, ValueRange range) {
  const std::optional<long long> value = parseInteger(text);
  if (!value || !range.contains(*value)) return std::nullopt;
  return static_cast<int>(*value);
}

struct NumberField {
  const std::string& text;
  ValueRange range;
  const char* name;  // the first line of its range message
};

// The edit fields of the dialog for a link kind, in the order they are checked.
std::vector<NumberField> numberFields(std::uint8_t linkKind, const LinkParamsInput& input) {
  std::vector<NumberField> fields = {
      {input.preambles, kPreamblesRange, "Количество преамбул в запросе"},
      {input.firstByteWait, kFirstByteWaitRange, "Время ожидания первого байта ответа"},
      {input.nextByteWait, kNextByteWaitRange, "Время ожидания следующих байтов ответа"}};
  if (linkKind == kDirectLink && input.closePortAfterEachCommand) {
    fields.push_back(
        {input.portReleaseWait, kPortReleaseWaitRange, "Время ожидания освобождения СОМ порта"});
  }
  if (linkKind != kDirectLink) {
    fields.push_back({input.connectWait, kConnectWaitRange, "Ожидание соединения"});
    fields.push_back(
        {input.connectAttempts, kConnectAttemptsRange, "Количество попыток соединения"});
  }
  if (linkKind == kEthernetLink) {
    fields.push_back({input.requestPause, kTcpRequestPauseRange, kRequestPauseName});
  }
  return fields;
}

bool listsChosen(std::uint8_t linkKind, const LinkParamsInput& input) {
  if (!input.tries || !kTriesRange.contains(*input.tries)) return false;
  if (linkKind == kEthernetLink) return true;
  const bool knownSpeed = input.speed && std::find(kBaudRates.begin(), kBaudRates.end(),
                                                   *input.speed) != kBaudRates.end();
  return input.port && kComPortRange.contains(*input.port) && knownSpeed;
}

}  // namespace

LinkSettings readLinkSettings(const std::filesystem::path& path, ScreenSize screen) {
  const IniFile file = IniFile::load(path);
  const SettingsReader in(file);
  LinkSettings settings;
  readGeneral(in, screen, settings.general);
  in.linkParams(kDirectSection, true, settings.direct);
  readPhone(in, settings.phone);
  readEthernet(in, settings.ethernet);
  settings.ports = readPorts(file);
  return settings;
}

void LinkSettingsStore::load(ScreenSize screen) {
  settings = readLinkSettings(files_.settings, screen);
  settings.phone.subscribers = readPhoneSubscribers(files_.phoneList);
  settings.ethernet.subscribers = readEthernetSubscribers(files_.ethernetList);
  saved_ = settings;
  phoneListFile_ = settings.phone.subscribers;
  ethernetListFile_ = settings.ethernet.subscribers;
}

bool LinkSettingsStore::save() {
  if (settings == saved_) return true;
  IniFile file = IniFile::load(files_.settings);
  if (settings.general != saved_.general) writeGeneral(file, settings.general);
  if (settings.direct != saved_.direct)
    writeLinkParams(file, kDirectSection, true, settings.direct);
  if (settings.phone != saved_.phone) writePhone(file, settings.phone);
  if (settings.ethernet != saved_.ethernet) writeEthernet(file, settings.ethernet);
  if (!file.save(files_.settings)) return false;
  saved_ = settings;
  return true;
}

bool LinkSettingsStore::savePhoneList() {
  if (settings.phone.subscribers == phoneListFile_) return true;
  if (!writePhoneSubscribers(files_.phoneList, settings.phone.subscribers)) return false;
  phoneListFile_ = settings.phone.subscribers;
  return true;
}

bool LinkSettingsStore::saveEthernetList() {
  if (settings.ethernet.subscribers == ethernetListFile_) return true;
  if (!writeEthernetSubscribers(files_.ethernetList, settings.ethernet.subscribers)) return false;
  ethernetListFile_ = settings.ethernet.subscribers;
  return true;
}

LinkParams& chosenLinkParams(LinkSettings& settings) {
  return paramsOf(settings, settings.general.linkKind);
}

const LinkParams& chosenLinkParams(const LinkSettings& settings) {
  return paramsOf(settings, settings.general.linkKind);
}

void configureEngine(kpsbox& engine, const LinkSettings& settings) {
  configureFrom(engine, settings, settings.general.linkKind, chosenLinkParams(settings));
}

void configureEngineForAddressSearch(kpsbox& engine, const LinkSettings& settings) {
  configureFrom(engine, settings, kDirectLink, settings.direct);
  engine.address = kpsbox::kAnyAddress;
  engine.openPortPerExchange = false;
}

bool deviceExists(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  // Busy: held exclusively by another program, or a device node we may not open.
  if (errno == EBUSY) return true;
  struct stat node {};
  return (errno == EACCES || errno == EPERM) && ::stat(path.c_str(), &node) == 0;
}

bool PortExists(int port, const PortOverrides& overrides) {
  const std::string path = comPortPath(port, overrides);
  return !path.empty() && deviceExists(path);
}

std::optional<InputError> checkConnectChoice(std::optional<std::uint8_t> linkKind,
                                             std::string_view addressText, bool subscriberChosen,
                                             std::uint8_t& address) {
  if (!linkKind || *linkKind > kEthernetLink) return missingInput();
  if (std::optional<InputError> error = checkAddress(addressText, address)) return error;
  if (*linkKind == kPhoneLink && !subscriberChosen) return missingInput();
  return std::nullopt;
}

void storeConnectAddress(LinkSettings& settings, std::uint8_t address) {
  if (settings.general.linkKind == kDirectLink) settings.direct.address = address;
  if (settings.general.linkKind == kPhoneLink) settings.phone.params.address = address;
}

LinkParamsInput linkParamsInput(const LinkSettings& settings, std::uint8_t linkKind) {
  const LinkParams& params = paramsOf(settings, linkKind);
  LinkParamsInput input;
  if (linkKind != kEthernetLink) {
    input.port = params.port;
    input.speed = params.speed;
  }
  input.tries = params.tries;
  input.preambles = std::to_string(params.preambles);
  input.firstByteWait = std::to_string(params.firstByteWaitS);
  input.nextByteWait = std::to_string(params.nextByteWaitMs);
  input.closePortAfterEachCommand = settings.general.closePortAfterEachCommand;
  input.portReleaseWait = std::to_string(settings.general.portReleaseWaitS);
  input.modemCommand = settings.phone.modemCommand;
  const bool phone = linkKind == kPhoneLink;
  input.connectWait =
      std::to_string(phone ? settings.phone.connectWaitS : settings.ethernet.connectWaitS);
  input.connectAttempts =
      std::to_string(phone ? settings.phone.connectAttempts : settings.ethernet.connectAttempts);
  input.requestPause = std::to_string(settings.ethernet.requestPauseMs);
  return input;
}

std::optional<InputError> acceptLinkParams(std::uint8_t linkKind, const LinkParamsInput& input,
                                           LinkSettings& settings) {
  const std::vector<NumberField> fields = numberFields(linkKind, input);
  const bool anyBlank = std::any_of(fields.begin(), fields.end(),
                                    [](const NumberField& f) { return isBlankField(f.text); });
  if (anyBlank || !listsChosen(linkKind, input)) return missingInput();
  std::vector<int> values;
  for (const NumberField& field : fields) {
    const std::optional<int> value = fieldValue(field.text, field.range);
    if (!value) return InputError{field.name, kOutOfRange};
    values.push_back(*value);
  }

  // values follow the order of numberFields.
  LinkParams& params = paramsOf(settings, linkKind);
  if (linkKind != kEthernetLink) {
    params.port = static_cast<std::uint8_t>(*input.port);
    params.speed = *input.speed;
  }
  params.tries = static_cast<std::uint8_t>(*input.tries);
  params.preambles = static_cast<std::uint8_t>(values[0]);
  params.firstByteWaitS = values[1];
  params.nextByteWaitMs = values[2];
  if (linkKind == kDirectLink) {
    settings.general.closePortAfterEachCommand = input.closePortAfterEachCommand;
    if (input.closePortAfterEachCommand) settings.general.portReleaseWaitS = values[3];
  } else if (linkKind == kPhoneLink) {
    settings.phone.modemCommand = cutToField(input.modemCommand, kModemCommandChars);
    settings.phone.connectWaitS = values[3];
    settings.phone.connectAttempts = values[4];
  } else {
    settings.ethernet.connectWaitS = values[3];
    settings.ethernet.connectAttempts = values[4];
    settings.ethernet.requestPauseMs = values[5];
  }
  return std::nullopt;
}

}  // namespace zvc
