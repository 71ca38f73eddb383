#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/app/damaged_tables.h"
#include "core/link/modem.h"
#include "core/link/subscribers.h"

namespace zvc {

class ConfigImage;
class Frontend;
class ProgramSettings;
class TableService;
struct ConnectionState;

// The controllers this program serves: type 73 with software version 15, or 14.
inline constexpr std::uint8_t kServedControllerType = 73;
inline constexpr std::uint8_t kCurrentSoftwareVersion = 15;
inline constexpr std::uint8_t kOlderSoftwareVersion = 14;

inline constexpr std::size_t kUserCodeChars = 4;
inline constexpr std::size_t kWritePasswordChars = 12;

// What every write to the controller carries, blank-padded.
struct Credentials {
  std::array<std::uint8_t, kWritePasswordChars> writePassword{};
  std::array<std::uint8_t, kUserCodeChars> userCode{};
  bool operator==(const Credentials&) const = default;
};

// "Принять" of the credential prompt: the code (digits) must not be empty; code and password are
// taken as typed, cut to their fields in Windows-1251 and blank-padded.
std::optional<InputError> acceptCredentials(std::string_view code, std::string_view password,
                                            Credentials& credentials);

// Table 0 of the image names a controller this program serves; otherwise the user is told which
// one it is and the answer is false.
bool isServedController(const ConfigImage& image, Frontend& frontend);
// Tables 0, 1, 5, 6, 14, 15 and 41 into the image, the controller name shown; false after a
// message when the work cannot go on.
bool readWorkingTables(TableService& tables);
// The three names of table 5 into the image, decoded from CP866 when table 0 says so; the usual
// names when they cannot be read.
void readControllerNames(TableService& tables);

struct PhoneLinkSettings;

// Dials the number with the modem settings, showing the dialogue in status bar 3; after a failure
// the user is asked "Повторить попытку соединения?". With maxDials, at most that many dials.
// The code of the last dial (kModemConnected when the call is up).
int dialWithRetry(const ModemLine& line, const PhoneLinkSettings& phone, std::string_view number,
                  std::optional<int> maxDials = std::nullopt);

// What the connection step needs of the main window, the windows of a restore included.
class ConnectionHost : public RestoreHost {
 public:
  // The connection dialog, modal; true when it opened a link.
  virtual bool runConnectDialog() = 0;
  // The credential prompt; nothing when the user left it with "Выход".
  virtual std::optional<Credentials> askCredentials() = 0;
  // A modem call is up: note its start, show the telephone panel at "00:00:00", start the call
  // timer.
  virtual void callEstablished() = 0;
  // Closes the link (disconnectLink) and hides what belongs to it: the telephone panel, the call
  // timer, status bars 2 and 3, the controller name.
  virtual void disconnect() = 0;
  virtual void hideMenus() = 0;
  virtual void applyMenuRules() = 0;
};

// Choosing and opening a link, identifying the controller and the user, and reading the tables
// every later operation needs. Runs after start-up and from "Связь с другим устройством".
class ConnectionStep {
 public:
  ConnectionStep(ConnectionState& connection, TableService& tables, ProgramSettings& settings,
                 ConnectionHost& host, bool& telephoneConnected);

  // The whole step; leaves `connected` set with the working tables in the image, or the link
  // closed.
  void run();
  // The credential prompt; confirmed credentials go to the engine, otherwise it keeps its own.
  void IdentifyUser();
  // Modem links: dials the chosen subscriber for as long as the user asks to retry.
  bool DialWithRetry();
  // Tables 0, 1, 5, 6, 14, 15 and 41 into the image.
  bool ReadWorkingTables();

  // The modem's waits; tests shorten them.
  ModemTimings modemTimings{};

 private:
  bool openAndIdentify();
  bool readIdentification();
  void adoptAnsweringAddress();

  ConnectionState& connection_;
  TableService& tables_;
  ProgramSettings& settings_;
  ConnectionHost& host_;
  bool& telephoneConnected_;
};

}  // namespace zvc
