#include "gui/reports/passport_menu.h"

#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "core/reports/passport_sheet.h"
#include "core/reports/passport_template.h"
#include "core/reports/report_date_dialog.h"
#include "core/tables/table_service.h"
#include "gui/app/gui_frontend.h"
#include "gui/reports/tformexcrep_date.h"
#include "gui/reports/tformxls_report.h"

namespace zvc {

void runPassport(const MainWindowContext& context, PassportMode mode, int run) {
  if (mode == PassportMode::kMonthly &&
      !checkMonthlyTemplate(context.folder.root(), context.frontend)) {
    return;
  }
  ChromArchiveReader rangeReader(context.state, context.tables, context.folder.root());
  const auto range = rangeReader.queryRange(true);
  if (!range) return;
  TFormExcRep_Date dialog(mode, *range, contractHour(context.image), context.settings.objects,
                          context.folder.objectsFile(), context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const DateHour4 chosen = dialog.date();
  const auto passport =
      readPassport(context.state, context.tables, mode, run,
                   {chosen.year, chosen.month, chosen.day}, dialog.object(), *range);
  if (!passport) return;
  TFormXls_Report report(*passport,
                         passportFile(context.folder.subfolder(Subfolder::kReport), *passport),
                         context.frontend, context.window);
  report.exec();
}

}  // namespace zvc
