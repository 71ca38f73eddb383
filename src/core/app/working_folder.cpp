#include "core/app/working_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace zvc {
namespace {

constexpr std::string_view kUserDataFolder = ".local/share/zvc";

bool writableFolder(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

WorkingFolder WorkingFolder::resolve(const std::optional<std::filesystem::path>& givenFolder,
                                     const std::filesystem::path& executable,
                                     const std::filesystem::path& home) {
  if (givenFolder) return WorkingFolder(*givenFolder);
  std::filesystem::path programFolder = executable.parent_path();
  if (programFolder.empty()) programFolder = ".";
  if (writableFolder(programFolder)) return WorkingFolder(programFolder);
  return WorkingFolder(home / kUserDataFolder);
}

std::filesystem::path WorkingFolder::homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return ".";
}

std::filesystem::path WorkingFolder::subfolder(Subfolder which) const {
  return root_ / kSubfolderNames[static_cast<std::size_t>(which)];
}

void WorkingFolder::createSubfolders() const {
  std::error_code ignored;
  std::filesystem::create_directories(root_, ignored);
  for (std::string_view name : kSubfolderNames) {
    std::filesystem::create_directory(root_ / name, ignored);
  }
}

std::filesystem::path WorkingFolder::iniFile(std::string_view name) const {
  return subfolder(Subfolder::kIni) / name;
}

SettingsFiles WorkingFolder::linkSettingsFiles() const {
  return {iniFile("zvc.ini"), iniFile("fon_abonents.ini"), iniFile("ethr_abonents.ini")};
}

std::filesystem::path WorkingFolder::objectsFile() const {
  return iniFile("objects.ini");
}

std::filesystem::path WorkingFolder::archiveDialogFile() const {
  return iniFile("rd_arh.ini");
}

void WorkingFolder::deleteWorkFiles() const {
  std::error_code ignored;
  for (std::string_view name : kWorkFileNames) std::filesystem::remove(file(name), ignored);
}

}  // namespace zvc
