#include "core/tables/users_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zvc {
namespace {

using Table = std::array<std::uint8_t, kUserSlots * sizeof(UserRecord)>;

struct User {
  const char* name;
  int level;
  const char* password;
  const char* code;
};

UserRecord record(const User& user) {
  UserRecord r{};
  storeBlankPadded(user.name, r.name);
  r.level = static_cast<std::uint8_t>(user.level);
  storeBlankPadded(user.password, r.password);
  storeBlankPadded(user.code, r.code);
  return r;
}

Table tableOf(std::initializer_list<User> users) {
  Table table{};
  for (int slot = 0; slot < kUserSlots; ++slot) storeUserRecord(table, slot, record({"", 0, "", ""}));
  int slot = 0;
  for (const User& user : users) storeUserRecord(table, slot++, record(user));
  return table;
}

TEST(UsersTable, RulesInTheirOrder) {
  struct Case {
    Table table;
    InputError expected;
  };
  const Case cases[] = {
      // no engineer is reported before the blank name of slot 1
      {tableOf({{"", 2, "", "1"}}),
       {"В списке зарегистрированных пользователей", "не зарегистрирован производитель-наладчик"}},
      {tableOf({{"A", 1, "", "1"}, {"B", 1, "", "2"}}),
       {"Может быть зарегистрирован", "только один производитель-наладчик"}},
      {tableOf({{"A", 1, "", "1"}, {"", 3, "", "2"}}),
       {"Номер пользователя в таблице: 2.", "Не задано имя пользователя"}},
      {tableOf({{"A", 1, "", "1"}, {"B", 3, "", ""}}),
       {"Номер пользователя в таблице: 2.", "Не задан код идентификации пользователя"}},
      {tableOf({{"A", 1, "", "1"}, {"B", 3, "", "2"}, {"B", 4, "", "3"}}),
       {"Пользователи   2 и 3.", "Совпадение имен пользователей"}},
      {tableOf({{"A", 1, "", "1"}, {"B", 3, "", "2"}, {"C", 4, "", "1"}}),
       {"Пользователи   1 и 3.", "Совпадение кодов идентификации пользователя"}},
  };
  for (const Case& c : cases) EXPECT_EQ(checkUsersTable(c.table), c.expected);
}

TEST(UsersTable, EmptySlotsNeverClash) {
  const Table table = tableOf({{"A", 1, "", "1"}});
  EXPECT_EQ(checkUsersTable(table), std::nullopt);
}

TEST(UsersTable, AcceptBuildsBlankPaddedSlotsAndClearsEmptyOnes) {
  Table table = tableOf({{"ADM", 1, "secret", "12"}, {"OLD", 3, "pw", "77"}});
  UsersTableInput input = usersTableInput(table);
  EXPECT_EQ(input[0].name, "ADM");
  input[1].level = kNoAccess;  // the name stays typed but the slot empties
  ASSERT_EQ(acceptUsersTable(input, table), std::nullopt);
  EXPECT_EQ(userRecord(table, 1).level, 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&table[22]), 22),
            std::string(4, ' ') + std::string(2, '\0') + std::string(16, ' '));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&table[0]), 4), "ADM ");
}

TEST(UsersTable, RefusedTableStaysUnchanged) {
  Table table = tableOf({{"ADM", 1, "", "12"}});
  const Table before = table;
  UsersTableInput input = usersTableInput(table);
  input[0].level = 2;
  EXPECT_TRUE(acceptUsersTable(input, table).has_value());
  EXPECT_EQ(table, before);
}

TEST(PasswordDialog, RulesAndPadding) {
  struct Case {
    PasswordInput input;
    std::optional<std::string> line1;
    bool clearPasswords, clearCodes;
  };
  const Case cases[] = {
      {{"abc", "abd", "1", "1"}, "Несовпадение введенных паролей", true, false},
      {{"abc", "abc", "1", "2"}, "Несовпадение введенных кодов", false, true},
      {{"abc", "abc", "", ""}, "Не задан код идентификации пользователя", false, false},
      {{"", "", "12", "12"}, std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    UserSecrets credentials;
    const auto refused = checkPasswordInput(c.input, credentials);
    if (!c.line1) {
      EXPECT_EQ(refused, std::nullopt);
      continue;
    }
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->error.line1, *c.line1);
    EXPECT_EQ(refused->clearPasswords, c.clearPasswords);
    EXPECT_EQ(refused->clearCodes, c.clearCodes);
  }
  UserSecrets credentials;
  ASSERT_EQ(checkPasswordInput({"", "", "12", "12"}, credentials), std::nullopt);
  EXPECT_EQ(credentials.password, (std::array<std::uint8_t, 12>{' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                                               ' ', ' ', ' ', ' ', ' '}));
  EXPECT_EQ(credentials.code, (std::array<std::uint8_t, 4>{'1', '2', ' ', ' '}));
}

TEST(ChangeOneUser, ChecksInTheirOrder) {
  const Table base = tableOf({{"ENG", 1, "", "1"}, {"ADM", 2, "", "2"}, {"OP", 4, "", "3"}});
  struct Case {
    UserChangeInput input;
    std::optional<InputError> expected;
  };
  const PasswordInput ok{"p", "p", "9", "9"};
  const Case cases[] = {
      {{0, "ENG", 2, ok},
       InputError{"Вы не можете удалить пользователя",
                  "с уровнем доступа \"Производитель-наладчик\""}},
      {{0, "ENG", 0, ok},
       InputError{"Вы не можете удалить пользователя",
                  "с уровнем доступа \"Производитель-наладчик\""}},
      {{2, "OP", 1, ok}, InputError{"Может быть зарегистрирован", "только один производитель-наладчик"}},
      {{1, "ADM", 3, ok},
       InputError{"Вы не можете удалить единственного пользователя",
                  "с уровнем доступа \"Администратор\""}},
      {{2, "", 4, ok}, InputError{"Номер пользователя в таблице - 3.", "Не задано имя пользователя"}},
      {{2, "ADM", 4, ok}, InputError{"Пользователи   3 и  2.", "Совпадение имен пользователей"}},
      {{2, "OP", 4, {"p", "p", "", ""}},
       InputError{"Не задан код идентификации пользователя", ""}},
      // a code another user has is accepted here
      {{2, "OP", 4, {"p", "p", "1", "1"}}, std::nullopt},
  };
  for (const Case& c : cases) {
    Table table = base;
    const auto refused = applyUserChange(c.input, table);
    EXPECT_EQ(refused ? std::optional(refused->error) : std::nullopt, c.expected) << c.input.slot;
    if (refused) {
      EXPECT_EQ(table, base);
    }
  }
}

TEST(ChangeOneUser, TwoAdministratorsAllowDemotingOneAndNoAccessClearsTheSlot) {
  Table table = tableOf({{"ENG", 1, "", "1"}, {"AD1", 2, "", "2"}, {"AD2", 2, "", "3"}});
  EXPECT_EQ(applyUserChange({1, "AD1", 3, {"x", "x", "5", "5"}}, table), std::nullopt);
  EXPECT_EQ(userRecord(table, 1).level, 3);
  EXPECT_EQ(userCode(userRecord(table, 1)), "5");
  EXPECT_EQ(applyUserChange({1, "AD1", kNoAccess, {}}, table), std::nullopt);
  EXPECT_EQ(userRecord(table, 1).level, 0);
  EXPECT_EQ(userName(userRecord(table, 1)), "");
  EXPECT_EQ(userCode(userRecord(table, 1)), "");
}

}  // namespace
}  // namespace zvc
