#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

namespace zvc {

class TableService;

// Table 4: sixteen users, 22 bytes each: name (4, blank-padded), access level, a zero byte,
// write password (12, blank-padded) and identification code (4 digits, blank-padded).
inline constexpr int kUserSlots = 16;
inline constexpr int kUsersTable = 4;
inline constexpr std::size_t kUserNameSize = 4;
inline constexpr std::size_t kUserPasswordSize = 12;
inline constexpr std::size_t kUserCodeSize = 4;

struct UserRecord {
  std::array<std::uint8_t, kUserNameSize> name;
  std::uint8_t level;
  std::uint8_t zero;
  std::array<std::uint8_t, kUserPasswordSize> password;
  std::array<std::uint8_t, kUserCodeSize> code;
};
static_assert(sizeof(UserRecord) == 22);

using UsersTableBytes = std::span<std::uint8_t, kUserSlots * sizeof(UserRecord)>;
using ConstUsersTableBytes = std::span<const std::uint8_t, kUserSlots * sizeof(UserRecord)>;

// Levels 0..4; 0 is an empty slot, 1 the one manufacturer-engineer, 2 administrators.
inline constexpr int kNoAccess = 0;
inline constexpr int kEngineerLevel = 1;
inline constexpr int kAdministratorLevel = 2;
inline constexpr int kUserLevels = 5;
// "Нет доступа", "Производитель-наладчик", …; "?" for a level the controller should not hold.
std::string_view accessLevelText(int level);
// The five level texts in level order, as the dialogs list them.
std::vector<std::string> accessLevelTexts();

// Slot 0..15 of the table.
UserRecord userRecord(ConstUsersTableBytes table, int slot);
void storeUserRecord(UsersTableBytes table, int slot, const UserRecord& record);

// A name as shown: trimmed, UTF-8. An empty string for a blank name.
std::string userName(const UserRecord& record);
// Trimmed password and code, for pre-filling masked fields only.
std::string userPassword(const UserRecord& record);
std::string userCode(const UserRecord& record);

// One line per slot for zvc-cli: the slot number, then "name, level" or the level of an empty
// slot. Passwords and codes are never part of it.
std::vector<ParameterLine> userLines(ConstUsersTableBytes table);

// Text typed into a field: blanks first, then the Windows-1251 text over them from the left.
void storeBlankPadded(std::string_view utf8, std::span<std::uint8_t> field);

// The rules every users table obeys, checked in this order: exactly one level-1 user, every used
// slot with a name and a code, no two used slots with the same name or the same code.
std::optional<InputError> checkUsersTable(ConstUsersTableBytes table);

// One row of the users-table dialog as typed.
struct UserRowInput {
  std::string name;
  int level = kNoAccess;
  std::array<std::uint8_t, kUserPasswordSize> password{};
  std::array<std::uint8_t, kUserCodeSize> code{};
};
using UsersTableInput = std::array<UserRowInput, kUserSlots>;

UsersTableInput usersTableInput(ConstUsersTableBytes table);
// Builds the table from the rows and checks it; the table changes only when the rules hold.
std::optional<InputError> acceptUsersTable(const UsersTableInput& input, UsersTableBytes table);

// The two masked pairs of the password dialog.
struct PasswordInput {
  std::string password;
  std::string passwordAgain;
  std::string code;
  std::string codeAgain;
};
// A refusal also says which pair the dialog empties.
struct PasswordRefusal {
  InputError error;
  bool clearPasswords = false;
  bool clearCodes = false;
  bool operator==(const PasswordRefusal&) const = default;
};
struct UserSecrets {
  std::array<std::uint8_t, kUserPasswordSize> password{};
  std::array<std::uint8_t, kUserCodeSize> code{};
};
// Equal pairs and a code give the blank-padded password (all blanks when empty) and code.
std::optional<PasswordRefusal> checkPasswordInput(const PasswordInput& input,
                                                  UserSecrets& credentials);

inline constexpr int kMaxUserCodeDigits = 4;
inline constexpr int kMaxUserPasswordCharacters = 12;

// Wipes a buffer that held a secret in a way the compiler keeps.
void wipeSecret(std::span<std::uint8_t> bytes);
void wipeSecret(std::string& text);
void wipeSecret(PasswordInput& input);

// The change-one-user dialog's input for one slot.
struct UserChangeInput {
  int slot = 0;  // 0..15
  std::string name;
  int level = kNoAccess;
  PasswordInput secrets;
};
// Checks the change against the table and, when it is allowed, stores it in the slot.
std::optional<PasswordRefusal> applyUserChange(const UserChangeInput& input, UsersTableBytes table);

// Table 4 into the image, in the two ranges the controller answers.
bool readUsersTable(TableService& tables);

// Main-menu change of one user: reads table 7 and table 4, lets `edit` change one slot of the
// table in the image (returns the slot, or nullopt when the user cancelled), then writes that
// slot alone. A table 4 the controller reports destroyed is only rewritten whole.
using UserChangeDialog = std::function<std::optional<int>(UsersTableBytes table)>;
bool changeOneUser(TableService& tables, const UserChangeDialog& edit);

// The controller's users table in the image.
UsersTableBytes usersTable(TableService& tables);

}  // namespace zvc
