#pragma once

#include <optional>

#include "core/app/damaged_tables.h"
#include "core/tables/config_record.h"
#include "core/tables/parameter_section.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// "Создание нового файла конфигурации" (newFile) and "Просмотр/Корректировка файла
// конфигурации": the record edited in the configuration editor, saved when accepted (and, for a
// file, changed).
void editConfigurationFile(const MainWindowContext& context, bool newFile);
// "Сохранение параметров конфигурации в файле": every configuration table read, then saved.
void saveControllerConfiguration(const MainWindowContext& context);

// The pieces a restore uses too.
std::optional<ConfigFileRecord> loadConfigFile(const MainWindowContext& context);
void saveConfigFile(const MainWindowContext& context, const ConfigFileRecord& record);
ConfigEditOutcome editConfigRecord(const MainWindowContext& context, ConfigFileRecord& record,
                                   SectionMode mode);

}  // namespace zvc
