#include "gui/tables/config_files_menu.h"

#include "core/app/working_folder.h"
#include "core/tables/config_file.h"
#include "gui/app/gui_frontend.h"
#include "gui/tables/tformconfig.h"
#include "gui/widgets/file_dialogs.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
std::optional<ConfigFileRecord> loadConfigFile(const MainWindowContext& context) {
  const auto file = askOpenFileOfType(context.window, qtText(kConfigOpenTitle),
                                      context.folder.subfolder(Subfolder::kConfig), kConfigFilter);
  if (!file) return std::nullopt;
  return readConfigFile(*file, context.frontend);
}

void saveConfigFile(const MainWindowContext& context, const ConfigFileRecord& record) {
  saveConfigRecord(context.folder, record, localNow(),
                   saveFileNameDialog(context.window, qtText(kConfigSaveTitle), kConfigFilter),
                   context.frontend);
}

ConfigEditOutcome editConfigRecord(const MainWindowContext& context, ConfigFileRecord& record,
                                   SectionMode mode) {
  TFormConfig editor(record, mode, context.frontend, context.window);
  const bool accepted = editor.exec() == QDialog::Accepted;
  return {accepted, accepted && editor.changed()};
}

void editConfigurationFile(const MainWindowContext& context, bool newFile) {
  std::optional<ConfigFileRecord> record =
      newFile ? std::optional(defaultConfigRecord()) : loadConfigFile(context);
  if (!record) return;
  const ConfigEditOutcome outcome = editConfigRecord(context, *record, SectionMode::kAccept);
  if (outcome.accepted && (newFile || outcome.changed)) saveConfigFile(context, *record);
}

void saveControllerConfiguration(const MainWindowContext& context) {
  const std::optional<ConfigFileRecord> record = readControllerConfiguration(context.tables);
  if (record) saveConfigFile(context, *record);
}

}  // namespace zvc
