#include "core/tables/config_file.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "core/app/working_folder.h"
#include "core/common/file_io.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/tables/table_service.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kError = 1;
constexpr int kExchangeResult = 5;
constexpr int kInformation = 6;

constexpr std::uint8_t kServedType = 73;
constexpr std::uint8_t kServedVersion = 15;
constexpr std::size_t kControllerNameBytes = 20;

std::string nameWithoutFolder(const std::filesystem::path& file) {
  return file.filename().string();
}

// The file's length, or nullopt when it cannot be opened.
std::optional<std::uintmax_t> openableSize(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return std::nullopt;
  return size;
}

// The controller's name as it may stand in a file name: no folder separator.
std::string nameForFile(const ConfigFileRecord& record) {
  std::string name = fieldToUtf8(&record.bytes[ConfigFileRecord::kNames], kControllerNameBytes);
  std::ranges::replace(name, '/', '_');
  return name;
}

}  // namespace

std::optional<ConfigFileRecord> readConfigFile(const std::filesystem::path& file,
                                               Frontend& frontend) {
  const std::optional<std::uintmax_t> size = openableSize(file);
  if (!size) {
    frontend.showMessage(kError, "Ошибка открытия файла", "");
    return std::nullopt;
  }
  const std::string name = nameWithoutFolder(file);
  if (*size != ConfigFileRecord::kSize) {
    frontend.showMessage(kInformation,
                         format("Файл %s не является файлом конфигурации", name.c_str()),
                         "контроллера ЖВЦ_15");
    return std::nullopt;
  }
  ConfigFileRecord record;
  std::ifstream in(file, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(record.bytes.data()), ConfigFileRecord::kSize)) {
    frontend.showMessage(kError, "Ошибка открытия файла", "");
    return std::nullopt;
  }
  if (record.bytes[ConfigFileRecord::kTypeByte] != kServedType) {
    frontend.showMessage(kInformation,
                         format("Файл %s не является файлом конфигурации", name.c_str()),
                         "контроллера ЖВЦ");
    return std::nullopt;
  }
  const int version = record.bytes[ConfigFileRecord::kVersionByte];
  if (version != kServedVersion) {
    frontend.showMessage(kInformation,
                         format("Файл параметров конфигурации %s подготовлен", name.c_str()),
                         format("для контроллера ЖВЦ с версией ПО %d", version));
    return std::nullopt;
  }
  scramblePasswords(record);  // the same mapping turns the disk form back into plain passwords
  return record;
}

std::filesystem::path defaultConfigFileName(const WorkingFolder& folder,
                                            const ConfigFileRecord& record, const DateTime6& now) {
  const std::string where = folder.subfolder(Subfolder::kConfig).string();
  return format("%s/zvc_%02d-%s-%02d%02d%02d%02d%02d.cnf", where.c_str(),
                record.bytes[ConfigFileRecord::kVersionByte], nameForFile(record).c_str(), now.year,
                now.month, now.day, now.hour, now.minute);
}

bool writeConfigFile(const std::filesystem::path& file, const ConfigFileRecord& record,
                     Frontend& frontend) {
  ConfigFileRecord onDisk = record;
  scramblePasswords(onDisk);
  const std::string_view bytes(reinterpret_cast<const char*>(onDisk.bytes.data()),
                               onDisk.bytes.size());
  if (!writeFileAtomically(file, bytes, true)) {
    frontend.showMessage(kError, "Ошибка открытия файла", "");
    return false;
  }
  frontend.showMessage(kInformation, "Параметры конфигурации",
                       format("сохранены в файле %s", nameWithoutFolder(file).c_str()));
  return true;
}

bool saveConfigRecord(const WorkingFolder& folder, const ConfigFileRecord& record,
                      const DateTime6& now, const AskFileName& askName, Frontend& frontend) {
  const auto file = chooseSaveFileName(defaultConfigFileName(folder, record, now), kConfigExtension,
                                       askName, frontend);
  return file && writeConfigFile(*file, record, frontend);
}

std::optional<ConfigFileRecord> readControllerConfiguration(TableService& tables) {
  if (!tables.readConfiguration()) {
    tables.frontend().showMessage(kExchangeResult, "Параметры конфигурации не прочитаны", "");
    return std::nullopt;
  }
  ConfigFileRecord record = defaultConfigRecord();
  imageToConfigRecord(tables.image(), record);
  return record;
}

}  // namespace zvc
