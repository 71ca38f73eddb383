#pragma once

#include <QDialog>
#include <cstddef>

#include "core/tables/table_edit.h"
#include "gui/app/gui_frontend.h"
#include "gui/app/main_window_context.h"

namespace zvc {

// The menu operation of a dialog over one range of a table: read the range, open the dialog in
// write mode on the image, write what changed. True only when something confirmed was written
// (or nothing needed writing).
template <typename Dialog, std::size_t Size>
bool editTableRange(const MainWindowContext& context, TableRange range) {
  TableEdit edit(context.tables, range);
  if (!edit.read()) return false;
  Dialog dialog(edit.section<Size>(), SectionMode::kWrite, context.frontend, context.window);
  if (dialog.exec() != QDialog::Accepted) return false;
  return edit.writeChanges();
}

}  // namespace zvc
