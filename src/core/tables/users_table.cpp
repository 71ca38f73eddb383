#include "core/tables/users_table.h"

#include <algorithm>
#include <cstring>

#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/tables/text_catalogue.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kWarning = 4;
constexpr int kTableStateTable = 7;
constexpr int kTableStateFields = 47;
constexpr int kFirstReadFields = 11;

constexpr std::string_view kRepeat = "Повторите процесс сначала";
constexpr std::string_view kNoCode = "Не задан код идентификации пользователя";
constexpr std::string_view kOnlyOneEngineer1 = "Может быть зарегистрирован";
constexpr std::string_view kOnlyOneEngineer2 = "только один производитель-наладчик";

template <std::size_t N>
std::string trimmed(const std::array<std::uint8_t, N>& field) {
  return fieldToUtf8(field.data(), N);
}

bool isUsed(const UserRecord& record) { return record.level != kNoAccess; }

UserRecord emptyUser() {
  UserRecord record{};
  record.name.fill(' ');
  record.password.fill(' ');
  record.code.fill(' ');
  return record;
}

int countLevel(ConstUsersTableBytes table, int level) {
  int count = 0;
  for (int slot = 0; slot < kUserSlots; ++slot) {
    if (userRecord(table, slot).level == level) ++count;
  }
  return count;
}

std::optional<InputError> checkEngineerCount(ConstUsersTableBytes table) {
  const int engineers = countLevel(table, kEngineerLevel);
  if (engineers == 0) {
    return InputError{"В списке зарегистрированных пользователей",
                      "не зарегистрирован производитель-наладчик"};
  }
  if (engineers > 1) return InputError{std::string(kOnlyOneEngineer1), std::string(kOnlyOneEngineer2)};
  return std::nullopt;
}

std::optional<InputError> checkUsedSlot(ConstUsersTableBytes table, int slot) {
  const UserRecord user = userRecord(table, slot);
  const std::string number = format("Номер пользователя в таблице: %d.", slot + 1);
  if (userName(user).empty()) return InputError{number, "Не задано имя пользователя"};
  if (userCode(user).empty()) return InputError{number, std::string(kNoCode)};
  for (int other = slot + 1; other < kUserSlots; ++other) {
    const UserRecord later = userRecord(table, other);
    if (!isUsed(later)) continue;
    const std::string pair = format("Пользователи   %d и %d.", slot + 1, other + 1);
    if (userName(later) == userName(user)) return InputError{pair, "Совпадение имен пользователей"};
    if (userCode(later) == userCode(user)) {
      return InputError{pair, "Совпадение кодов идентификации пользователя"};
    }
  }
  return std::nullopt;
}

PasswordRefusal refusal(std::string line1, std::string_view line2 = {}) {
  return PasswordRefusal{InputError{std::move(line1), std::string(line2)}};
}

// The level rules of a change, in their order: the engineer stays, stays alone, and the only
// administrator stays.
std::optional<PasswordRefusal> checkLevelChange(const UserChangeInput& input,
                                                ConstUsersTableBytes table) {
  const int current = userRecord(table, input.slot).level;
  if (current == kEngineerLevel && input.level != kEngineerLevel) {
    return refusal("Вы не можете удалить пользователя",
                   "с уровнем доступа \"Производитель-наладчик\"");
  }
  if (current != kEngineerLevel && input.level == kEngineerLevel) {
    return refusal(std::string(kOnlyOneEngineer1), kOnlyOneEngineer2);
  }
  if (current == kAdministratorLevel && input.level != kAdministratorLevel &&
      countLevel(table, kAdministratorLevel) == 1) {
    return refusal("Вы не можете удалить единственного пользователя",
                   "с уровнем доступа \"Администратор\"");
  }
  return std::nullopt;
}

}  // namespace

std::string_view accessLevelText(int level) {
  const std::string_view text = TextCatalogue::text(TextCatalogue::kAccessLevels, level);
  return text.empty() ? "?" : text;
}

std::vector<std::string> accessLevelTexts() {
  std::vector<std::string> texts;
  for (int level = 0; level < kUserLevels; ++level) texts.emplace_back(accessLevelText(level));
  return texts;
}

UserRecord userRecord(ConstUsersTableBytes table, int slot) {
  UserRecord record;
  std::memcpy(&record, table.data() + slot * sizeof(UserRecord), sizeof(UserRecord));
  return record;
}

void storeUserRecord(UsersTableBytes table, int slot, const UserRecord& record) {
  std::memcpy(table.data() + slot * sizeof(UserRecord), &record, sizeof(UserRecord));
}

std::string userName(const UserRecord& record) { return trimmed(record.name); }
std::string userPassword(const UserRecord& record) { return trimmed(record.password); }
std::string userCode(const UserRecord& record) { return trimmed(record.code); }

std::vector<ParameterLine> userLines(ConstUsersTableBytes table) {
  std::vector<ParameterLine> lines;
  for (int slot = 0; slot < kUserSlots; ++slot) {
    const UserRecord user = userRecord(table, slot);
    const std::string level(accessLevelText(user.level));
    lines.push_back({format("%d", slot + 1), isUsed(user) ? userName(user) + ", " + level : level});
  }
  return lines;
}

void storeBlankPadded(std::string_view utf8, std::span<std::uint8_t> field) {
  std::string bytes = utf8ToCp1251(utf8);
  std::fill(field.begin(), field.end(), ' ');
  std::copy_n(bytes.begin(), std::min(bytes.size(), field.size()), field.begin());
  wipeSecret(bytes);
}

std::optional<InputError> checkUsersTable(ConstUsersTableBytes table) {
  if (auto error = checkEngineerCount(table)) return error;
  for (int slot = 0; slot < kUserSlots; ++slot) {
    if (!isUsed(userRecord(table, slot))) continue;
    if (auto error = checkUsedSlot(table, slot)) return error;
  }
  return std::nullopt;
}

UsersTableInput usersTableInput(ConstUsersTableBytes table) {
  UsersTableInput input;
  for (int slot = 0; slot < kUserSlots; ++slot) {
    const UserRecord user = userRecord(table, slot);
    input[slot] = {isUsed(user) ? userName(user) : std::string(), user.level, user.password,
                   user.code};
  }
  return input;
}

std::optional<InputError> acceptUsersTable(const UsersTableInput& input, UsersTableBytes table) {
  std::array<std::uint8_t, kUserSlots * sizeof(UserRecord)> edited;
  UsersTableBytes copy(edited);
  for (int slot = 0; slot < kUserSlots; ++slot) {
    const UserRowInput& row = input[slot];
    UserRecord user = emptyUser();
    if (row.level != kNoAccess) {
      storeBlankPadded(row.name, user.name);
      user.level = static_cast<std::uint8_t>(row.level);
      user.password = row.password;
      user.code = row.code;
    }
    storeUserRecord(copy, slot, user);
  }
  auto error = checkUsersTable(copy);
  if (!error) std::copy(edited.begin(), edited.end(), table.begin());
  wipeSecret(edited);
  return error;
}

std::optional<PasswordRefusal> checkPasswordInput(const PasswordInput& input,
                                                  UserSecrets& credentials) {
  if (input.password != input.passwordAgain) {
    PasswordRefusal result = refusal("Несовпадение введенных паролей", kRepeat);
    result.clearPasswords = true;
    return result;
  }
  if (input.code != input.codeAgain) {
    PasswordRefusal result = refusal("Несовпадение введенных кодов", kRepeat);
    result.clearCodes = true;
    return result;
  }
  if (input.code.empty()) return refusal(std::string(kNoCode));
  storeBlankPadded(input.password, credentials.password);
  storeBlankPadded(input.code, credentials.code);
  return std::nullopt;
}

void wipeSecret(std::span<std::uint8_t> bytes) {
  volatile std::uint8_t* p = bytes.data();
  for (std::size_t i = 0; i < bytes.size(); ++i) p[i] = 0;
}

void wipeSecret(std::string& text) {
  wipeSecret(std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
  text.clear();
}

void wipeSecret(PasswordInput& input) {
  for (std::string* text : {&input.password, &input.passwordAgain, &input.code, &input.codeAgain}) {
    wipeSecret(*text);
  }
}

std::optional<PasswordRefusal> applyUserChange(const UserChangeInput& input,
                                               UsersTableBytes table) {
  if (auto refused = checkLevelChange(input, table)) return refused;
  if (input.level == kNoAccess) {
    storeUserRecord(table, input.slot, emptyUser());
    return std::nullopt;
  }
  UserSecrets credentials;
  if (auto refused = checkPasswordInput(input.secrets, credentials)) return refused;
  if (input.name.empty()) {
    return refusal(format("Номер пользователя в таблице - %d.", input.slot + 1),
                   "Не задано имя пользователя");
  }
  for (int other = 0; other < kUserSlots; ++other) {
    if (other == input.slot || userName(userRecord(table, other)) != input.name) continue;
    return refusal(format("Пользователи   %d и % d.", input.slot + 1, other + 1),
                   "Совпадение имен пользователей");
  }
  UserRecord user = emptyUser();
  storeBlankPadded(input.name, user.name);
  user.level = static_cast<std::uint8_t>(input.level);
  user.password = credentials.password;
  user.code = credentials.code;
  storeUserRecord(table, input.slot, user);
  wipeSecret(credentials.password);
  wipeSecret(credentials.code);
  return std::nullopt;
}

UsersTableBytes usersTable(TableService& tables) {
  return UsersTableBytes(tables.image().table(kUsersTable).first<kUserSlots * sizeof(UserRecord)>());
}

bool readUsersTable(TableService& tables) {
  return tables.readTableRange({kUsersTable, 0, kFirstReadFields}) &&
         tables.readTableRange({kUsersTable, kFirstReadFields, kUserSlots - kFirstReadFields});
}

bool changeOneUser(TableService& tables, const UserChangeDialog& edit) {
  if (!tables.readTableRange({kTableStateTable, 0, kTableStateFields})) return false;
  if (tables.image().field(kTableStateTable, kUsersTable)[0] == 1) {
    tables.frontend().showMessage(kWarning, "Таблица доступа пользователей",
                                  "требует полной перезаписи");
    return false;
  }
  if (!readUsersTable(tables)) return false;
  const std::optional<int> slot = edit(usersTable(tables));
  if (!slot) return false;
  return tables.writeTableRange({kUsersTable, static_cast<std::uint8_t>(*slot), 1});
}

}  // namespace zvc
