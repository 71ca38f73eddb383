#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/link/link_settings.h"

namespace zvc {

// The folders the program keeps its files in, inside the working folder, in the order they are
// made at start-up.
enum class Subfolder {
  kConfig,        // configuration files
  kAlarms,        // saved diagnostic message archives
  kAudit,         // saved operator-intervention archives
  kCalibration,   // saved calibration archives
  kVerification,  // saved verification archives
  kMomentary,     // saved momentary data and measurement archives
  kHourly,        // saved hourly archives
  kDaily,         // saved daily archives
  kReport,        // passports
  kIni,           // settings files
};
inline constexpr std::array<std::string_view, 10> kSubfolderNames = {
    "CONFIG",  "ALAFILES", "AUDFILES", "CALIBRARHIV", "VERIFARHIV",
    "MOMDATA", "HOURDATA", "DAYDATA",  "REPORT",      "INI"};

// The raw records of the last archive reading, one file per archive; deleted at exit.
inline constexpr std::string_view kInterventionWorkFile = "datafile.aud";
inline constexpr std::string_view kDiagnosticWorkFile = "datafile.ala";
inline constexpr std::string_view kMeasurementWorkFile = "datafile.msd";
inline constexpr std::string_view kCalibrationWorkFile = "datafile.clb";
inline constexpr std::string_view kHourlyWorkFile = "datafile.hdm";
inline constexpr std::string_view kVerificationWorkFile = "datafile.vrf";
inline constexpr std::array<std::string_view, 6> kWorkFileNames = {
    kInterventionWorkFile, kDiagnosticWorkFile, kMeasurementWorkFile,
    kCalibrationWorkFile,  kHourlyWorkFile,     kVerificationWorkFile};

// The folder every path of the program is built from.
class WorkingFolder {
 public:
  explicit WorkingFolder(std::filesystem::path root) : root_(std::move(root)) {}

  // The folder given on the command line; otherwise the executable's folder when we may write
  // there (a build tree, an unpacked archive); otherwise the user's data folder under home.
  static WorkingFolder resolve(const std::optional<std::filesystem::path>& givenFolder,
                               const std::filesystem::path& executable,
                               const std::filesystem::path& home);
  // $HOME, or the password database's home when it is not set.
  static std::filesystem::path homeFolder();

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path file(std::string_view name) const { return root_ / name; }
  std::filesystem::path subfolder(Subfolder which) const;

  // The working folder and its subfolders, each made when missing. A folder that cannot be made
  // is left to fail the first file operation in it.
  void createSubfolders() const;

  // Settings files in the INI folder.
  SettingsFiles linkSettingsFiles() const;
  std::filesystem::path objectsFile() const;
  std::filesystem::path archiveDialogFile() const;

  // Removes the archive work files that exist.
  void deleteWorkFiles() const;

 private:
  std::filesystem::path iniFile(std::string_view name) const;

  std::filesystem::path root_;
};

}  // namespace zvc
