#include "core/app/connection_step.h"

#include <algorithm>
#include <string>

#include "core/app/program_settings.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/link/kpsbox.h"
#include "core/link/link_status.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kQuestionKind = 3;
constexpr int kExchangeResultKind = 5;
constexpr int kPlainKind = 6;

constexpr int kServedModel = 15;                  // the "ЖВЦ_15" of the texts
constexpr std::uint8_t kServedChromatograph = 7;  // QRT Vela

// Identification table fields.
constexpr int kIdentificationTable = 0;
constexpr int kDestroyedTableField = 0;
constexpr int kTypeField = 1;
constexpr int kVersionField = 3;

constexpr int kNamesTable = 5;
constexpr int kNameCount = 3;
constexpr int kCommunicationTable = 6;
constexpr int kMoistureMeterField = 8;
constexpr int kChromatographTable = 14;
constexpr int kChromatographTypeField = 6;
constexpr int kParametersTable = 1;
constexpr int kSerialNumberTable = 41;
constexpr int kMoistureMeterTable = 15;
constexpr std::uint8_t kMoistureMeterFieldRead = 6;

TableRange wholeTable(int table) {
  return {std::uint8_t(table), 0, TableCatalogue::table(table).fieldCount};
}

// The code or password as typed, in its field's bytes, blanks after it.
template <std::size_t N>
void fillBlankPadded(std::string_view utf8, std::array<std::uint8_t, N>& field) {
  const std::string bytes = utf8ToCp1251(utf8).substr(0, N);
  field.fill(' ');
  std::copy(bytes.begin(), bytes.end(), field.begin());
}

const PhoneSubscriber* chosenSubscriber(const PhoneSubscriberList& list) {
  return list.selected < list.count ? &list.entries[list.selected] : nullptr;
}

// Tables 6 and 14, and the chromatograph they name must be the one this program knows.
bool readChromatographTables(TableService& tables) {
  if (!tables.readTableRange(wholeTable(kCommunicationTable)) ||
      !tables.readTableRange(wholeTable(kChromatographTable))) {
    return false;
  }
  const int type = tables.image().field(kChromatographTable, kChromatographTypeField)[0];
  if (type == kServedChromatograph) return true;
  tables.frontend().showMessage(kPlainKind,
                                format("Код подключенного хроматографа равен %d.", type),
                                "Должен быть 7 (QRT Vela)");
  return false;
}

void showControllerName(TableService& tables) {
  const auto name = tables.image().field(kNamesTable, 0);
  tables.frontend().setStatus(kControllerNamePanel, fieldToUtf8(name.data(), name.size()));
}

}  // namespace

bool isServedController(const ConfigImage& image, Frontend& frontend) {
  const auto identification = image.table(kIdentificationTable);
  const int type = identification[kTypeField];
  const int version = identification[kVersionField];
  if (type != kServedControllerType) {
    frontend.showMessage(kPlainKind, format("Код типа подключенного контроллера  %d", type),
                         "Программа обслуживает контроллеры ЖВЦ");
    return false;
  }
  if (version != kCurrentSoftwareVersion && version != kOlderSoftwareVersion) {
    frontend.showMessage(
        kPlainKind, format("Версия ПО подключенного контроллера %d", version),
        format("Программа обслуживает контроллеры ЖВЦ только с версией ПО %02d", kServedModel));
    return false;
  }
  return true;
}

bool readWorkingTables(TableService& tables) {
  Frontend& frontend = tables.frontend();
  ConfigImage& image = tables.image();
  frontend.setBusy(true);
  std::ranges::fill(image.field(kNamesTable, 0), ' ');
  readControllerNames(tables);
  bool read =
      readChromatographTables(tables) && tables.readTableRange(wholeTable(kParametersTable));
  // A serial number that cannot be read shows as 0 and does not stop the work.
  std::ranges::fill(image.field(kSerialNumberTable, 0), 0);
  if (read) tables.readTableRange(wholeTable(kSerialNumberTable));
  if (read && image.field(kCommunicationTable, kMoistureMeterField)[0] != 0) {
    read = tables.readTableRange({kMoistureMeterTable, kMoistureMeterFieldRead, 1});
  }
  if (!read) {
    frontend.showMessage(kExchangeResultKind, "Не прочитаны данные, для организации",
                         "дальнейшего обмена с устройством");
  }
  showControllerName(tables);
  frontend.setBusy(false);
  return read;
}

// Names that cannot be read are replaced by the usual ones; the work goes on without them.
void readControllerNames(TableService& tables) {
  ConfigImage& image = tables.image();
  if (tables.readNames()) return;
  const std::string defaults[kNameCount] = {format("Контроллер ЖВЦ_%02d", kServedModel), "Нитка 1",
                                            "Нитка 2"};
  for (int name = 0; name < kNameCount; ++name) {
    const auto field = image.field(kNamesTable, name);
    utf8ToField(defaults[name], field.data(), field.size());
  }
}

std::optional<InputError> acceptCredentials(std::string_view code, std::string_view password,
                                            Credentials& credentials) {
  if (code.empty()) return InputError{"Не задан код идентификации пользователя", ""};
  fillBlankPadded(code, credentials.userCode);
  fillBlankPadded(password, credentials.writePassword);
  return std::nullopt;
}

ConnectionStep::ConnectionStep(ConnectionState& connection, TableService& tables,
                               ProgramSettings& settings, ConnectionHost& host,
                               bool& telephoneConnected)
    : connection_(connection),
      tables_(tables),
      settings_(settings),
      host_(host),
      telephoneConnected_(telephoneConnected) {}

void ConnectionStep::run() {
  Frontend& frontend = tables_.frontend();
  frontend.setBusy(true);
  host_.disconnect();
  refreshLinkStatus(settings_.link.settings, frontend);
  frontend.setStatus(kControllerNamePanel, "");
  host_.hideMenus();
  frontend.setBusy(false);
  if (!host_.runConnectDialog()) {
    host_.applyMenuRules();
    return;
  }
  settings_.save();
  connection_.connected = openAndIdentify();
  if (!connection_.connected) {
    frontend.setBusy(true);
    host_.disconnect();
  }
  host_.applyMenuRules();
  frontend.setBusy(false);
}

bool ConnectionStep::openAndIdentify() {
  const bool modemLink = settings_.link.settings.general.linkKind == kPhoneLink;
  if (modemLink) {
    IdentifyUser();
    telephoneConnected_ = DialWithRetry();
    if (!telephoneConnected_) return false;
  }
  if (!readIdentification() || !isServedController(tables_.image(), tables_.frontend())) {
    return false;
  }
  adoptAnsweringAddress();
  connection_.connected = true;
  if (!modemLink) IdentifyUser();
  const auto identification = tables_.image().table(kIdentificationTable);
  if (identification[kDestroyedTableField] == 0 &&
      identification[kVersionField] == kCurrentSoftwareVersion) {
    return ReadWorkingTables();
  }
  return DamagedTables(connection_, tables_, host_).run();
}

bool ConnectionStep::readIdentification() {
  Frontend& frontend = tables_.frontend();
  frontend.setBusy(true);
  const bool read = tables_.readTableRange(wholeTable(kIdentificationTable));
  frontend.setBusy(false);
  return read;
}

// A link opened to "any address" keeps the address of the controller that answered.
void ConnectionStep::adoptAnsweringAddress() {
  LinkParams& params = chosenLinkParams(settings_.link.settings);
  if (params.address == kpsbox::kAnyAddress) params.address = connection_.engine->address;
}

void ConnectionStep::IdentifyUser() {
  const std::optional<Credentials> credentials = host_.askCredentials();
  if (!credentials) return;
  connection_.engine->writePassword = credentials->writePassword;
  connection_.engine->userCode = credentials->userCode;
}

int dialWithRetry(const ModemLine& line, const PhoneLinkSettings& phone, std::string_view number,
                  std::optional<int> maxDials) {
  Frontend& frontend = line.frontend;
  int result = kModemConnected;
  for (int dials = 1;; ++dials) {
    frontend.setBusy(true);
    result = DialModem(line, number, phone.modemCommand, true, phone.connectAttempts,
                       phone.connectWaitS);
    frontend.setBusy(false);
    if (result == kModemConnected) break;
    const bool retry = frontend.showMessage(kQuestionKind, modemResultText(result),
                                            "Повторить попытку соединения?");
    if (!retry || (maxDials && dials >= *maxDials)) break;
  }
  return result;
}

bool ConnectionStep::DialWithRetry() {
  Frontend& frontend = tables_.frontend();
  const PhoneLinkSettings& phone = settings_.link.settings.phone;
  const PhoneSubscriber* subscriber = chosenSubscriber(phone.subscribers);
  const ModemLine line{
      .port = connection_.engine->portHandle, .frontend = frontend, .timings = modemTimings};
  const int result = dialWithRetry(line, phone, subscriber != nullptr ? subscriber->phone : "");
  if (result == kModemConnected) host_.callEstablished();
  frontend.setStatus(kStatusBar3, "");
  frontend.processEvents();
  return result == kModemConnected;
}

bool ConnectionStep::ReadWorkingTables() {
  return readWorkingTables(tables_);
}

}  // namespace zvc
