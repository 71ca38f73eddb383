#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/ui/input_error.h"

namespace zvc {

class ConfigImage;
class Frontend;

// A whole configuration of the controller as a ".cnf" file holds it, byte for byte, and as the
// configuration editor edits it. Table sections are copies of the table fields; every spare byte
// is 0. In memory the flow-computer passwords are plain; only the file holds them scrambled.
struct ConfigFileRecord {
  static constexpr std::size_t kSize = 4335;

  // Where each section lies.
  static constexpr std::size_t kIdentifiedFlag = 0;  // 1: the identification is a controller's
  static constexpr std::size_t kIdentification = 1;  // table 0, 18 bytes
  static constexpr std::size_t kTypeByte = 2;        // table 0 field 1
  static constexpr std::size_t kVersionByte = 4;     // table 0 field 3
  static constexpr std::size_t kParameters = 29;     // table 1
  static constexpr std::size_t kNames = 1409;        // table 5
  static constexpr std::size_t kUpperLink = 1489;    // table 3
  static constexpr std::size_t kSystem = 1593;       // table 6
  static constexpr std::size_t kChromatographLink = 1705;  // table 14
  static constexpr std::size_t kMoistureMeterLink = 1767;  // table 15
  static constexpr std::size_t kFlowComputers = 1825;      // 16 records of 20 bytes
  static constexpr std::size_t kWriteNeed = 2345;          // table 21
  static constexpr std::size_t kLimits = 2465;             // tables 22..26, 180 bytes apart
  static constexpr std::size_t kLimitsStep = 180;
  static constexpr std::size_t kAveragingPeriod = 3365;   // table 28
  static constexpr std::size_t kEthernet = 3375;          // table 29
  static constexpr std::size_t kUsers = 3467;             // table 4
  static constexpr std::size_t kFlowComputerLink = 3919;  // table 9, byte 0 the count
  static constexpr std::size_t kConstantsNeed = 3935;     // tables 43 (run 1), 45 (run 2)
  static constexpr std::size_t kConstants = 3955;         // tables 44 (run 1), 46 (run 2)
  static constexpr std::size_t kRunStep = 100;            // from run 1's tables to run 2's

  // One flow-computer record: address, type, pipeline mask, byte order, write password.
  static constexpr std::size_t kFlowComputerRecord = 20;
  static constexpr std::size_t kFlowComputerCount = 16;
  static constexpr std::size_t kPasswordInRecord = 4;
  static constexpr std::size_t kPasswordBytes = 16;

  std::array<std::uint8_t, kSize> bytes{};

  template <std::size_t Size>
  std::span<std::uint8_t, Size> at(std::size_t offset) {
    return std::span<std::uint8_t, kSize>(bytes).subspan(offset).first<Size>();
  }
  template <std::size_t Size>
  std::span<const std::uint8_t, Size> at(std::size_t offset) const {
    return std::span<const std::uint8_t, kSize>(bytes).subspan(offset).first<Size>();
  }
  std::span<std::uint8_t, kFlowComputerRecord> flowComputer(std::size_t index) {
    return at<kFlowComputerRecord>(kFlowComputers + kFlowComputerRecord * index);
  }
  std::span<const std::uint8_t, kFlowComputerRecord> flowComputer(std::size_t index) const {
    return at<kFlowComputerRecord>(kFlowComputers + kFlowComputerRecord * index);
  }

  bool operator==(const ConfigFileRecord&) const = default;
};

// Every write password between its plain and its on-disk form; the mapping (4 - b) is its own
// inverse, so the same call scrambles and unscrambles.
void scramblePasswords(ConfigFileRecord& record);

// A new configuration: a controller "ЖВЦ_15" with the usual links, one flow computer and the
// fifteen measured parameters of a QRT Vela.
ConfigFileRecord defaultConfigRecord();

// The configuration tables of the image into the record, marked as read from a controller.
// Flow-computer passwords are never read back, so they become blanks.
void imageToConfigRecord(const ConfigImage& image, ConfigFileRecord& record);

// Table 4 rules: exactly one level-1 user; empty slots cleared; each used slot named and coded,
// no two with the same name or code. Clears empty slots and byte 5 of every slot in place.
inline constexpr std::size_t kUsersBytes = 352;
std::optional<InputError> checkUsersSection(std::span<std::uint8_t, kUsersBytes> users);

// Checks the record section by section and copies each into the image, the users table only
// when checkUsers is set (it is to be written). The first refusal is shown as an input error and
// ends the copy; what was copied before it stays in the image.
bool configRecordToImage(ConfigFileRecord& record, bool checkUsers, ConfigImage& image,
                         Frontend& frontend);

}  // namespace zvc
