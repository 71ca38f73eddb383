#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/common/calendar.h"
#include "core/common/save_file_name.h"
#include "core/tables/config_record.h"

namespace zvc {

class Frontend;
class TableService;
class WorkingFolder;

inline constexpr std::string_view kConfigExtension = ".cnf";
inline constexpr std::string_view kConfigFilter = "Файлы конфигурации (*.cnf)|*.cnf";
inline constexpr std::string_view kConfigOpenTitle = "Выбор файла с параметрами конфигурации";
inline constexpr std::string_view kConfigSaveTitle =
    "Выбор файла для записи параметров конфигурации";

// A ".cnf" file into a record, passwords unscrambled. A file that does not open, is not 4335
// bytes long, is not for a type-73 controller or not for software 15 is refused with its message.
std::optional<ConfigFileRecord> readConfigFile(const std::filesystem::path& file,
                                               Frontend& frontend);

// "zvc_15-<controller name>-YYMMDDhhmm.cnf" in the "CONFIG" folder.
std::filesystem::path defaultConfigFileName(const WorkingFolder& folder,
                                            const ConfigFileRecord& record, const DateTime6& now);

// The record into the file, passwords scrambled, readable by the owner only; the outcome is
// shown. The old file stays whole when the write fails.
bool writeConfigFile(const std::filesystem::path& file, const ConfigFileRecord& record,
                     Frontend& frontend);

// The save dialog on the default name, the replace question, then the file. False when nothing
// was saved.
bool saveConfigRecord(const WorkingFolder& folder, const ConfigFileRecord& record,
                      const DateTime6& now, const AskFileName& askName, Frontend& frontend);

// Every configuration table of the controller into a new record under the progress window;
// "Параметры конфигурации не прочитаны" when a read failed.
std::optional<ConfigFileRecord> readControllerConfiguration(TableService& tables);

}  // namespace zvc
