#include "gui/archives/check_archive_menu.h"

#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "gui/app/gui_frontend.h"
#include "gui/archives/check_archive_window.h"
#include "gui/archives/tformperiod.h"
#include "gui/widgets/file_dialogs.h"

namespace zvc {
namespace {

void showCheckView(const MainWindowContext& context, CheckArchive archive,
                   const CheckReading& reading) {
  if (archive == CheckArchive::kCalibration) {
    TFormArhiv_Clb(reading, context.folder, context.frontend, context.window).exec();
  } else {
    TFormArhiv_Verif(reading, context.folder, context.frontend, context.window).exec();
  }
}

}  // namespace

void readCheckArchive(const MainWindowContext& context, CheckArchive archive) {
  CheckArchiveReader reader(context.state, context.tables, context.folder.root());
  if (!reader.readClock()) return;
  TFormPeriod dialog(context.settings.archiveDialog, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto reading = reader.read(archive, dialog.begin(), dialog.end());
  if (!reading) return;
  showCheckView(context, archive, *reading);
}

void viewCheckFile(const MainWindowContext& context, CheckArchive archive) {
  const CheckArchiveFormat& format = checkArchiveFormat(archive);
  const auto file =
      askOpenFileName(context.window, context.folder.subfolder(format.folder), format.openFilter);
  if (!file) return;
  const auto saved = openCheckFile(archive, *file, context.frontend);
  if (!saved) return;
  showCheckView(context, archive, *saved);
}

}  // namespace zvc
