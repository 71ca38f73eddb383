#include "gui/archives/message_archive_menu.h"

#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "core/archives/message_archive_reader.h"
#include "core/archives/message_view.h"
#include "gui/app/gui_frontend.h"
#include "gui/archives/tformala.h"
#include "gui/archives/tformaud.h"
#include "gui/archives/tformindex.h"
#include "gui/archives/tformperiod.h"
#include "gui/widgets/file_dialogs.h"

namespace zvc {
namespace {

// Shows a reading or a saved file in the view window of its kind.
void showMessageView(const MainWindowContext& context, const MessageViewRows& rows) {
  if (rows.kind() == MessageFileKind::kDiagnostic) {
    TFormAla(rows, context.folder, context.frontend, context.window).exec();
  } else {
    TFormAud(rows, context.folder, context.frontend, context.window).exec();
  }
}

}  // namespace

void readMessageArchiveByIndex(const MainWindowContext& context, const MessageArchive& archive) {
  const int kind = archive.kind;
  MessageArchiveReader reader(context.state, context.tables, context.folder.root());
  const auto bounds = reader.readBounds(kind);
  if (!bounds) return;
  TFormIndex dialog(kind, *bounds, context.settings.archiveDialog, context.frontend,
                    context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto reading = reader.readMessagesByIndex(kind, dialog.firstIndex(), dialog.count());
  if (!reading) return;
  showMessageView(context, MessageViewRows(archive.fileKind, reading->header, reading->records,
                                           context.image, kViewByIndex, reading->firstIndex));
}

void readMessageArchiveByPeriod(const MainWindowContext& context, const MessageArchive& archive) {
  const int kind = archive.kind;
  MessageArchiveReader reader(context.state, context.tables, context.folder.root());
  if (!reader.readClock()) return;
  TFormPeriod dialog(context.settings.archiveDialog, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto reading = reader.readMessagesByPeriod(kind, dialog.begin(), dialog.end());
  if (!reading) return;
  showMessageView(context, MessageViewRows(archive.fileKind, reading->header, reading->records,
                                           context.image, kViewByPeriod, 0));
}

void viewMessageFile(const MainWindowContext& context, MessageFileKind kind) {
  const MessageFileFormat& format = messageFileFormat(kind);
  const auto file =
      askOpenFileName(context.window, context.folder.subfolder(format.folder), format.openFilter);
  if (!file) return;
  const auto saved = openMessageFile(kind, *file, context.frontend);
  if (!saved) return;
  showMessageView(context, MessageViewRows(kind, saved->header, saved->rows));
}

}  // namespace zvc
