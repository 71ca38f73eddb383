#pragma once

#include "core/archives/message_files.h"
#include "gui/app/main_window_context.h"

namespace zvc {

struct MessageArchive;

// The operations of the diagnostic and intervention items of the "Данные" menu.

// The boundary table, the index dialog, the reading, then the view.
void readMessageArchiveByIndex(const MainWindowContext& context, const MessageArchive& archive);
// The controller's clock, the period dialog, the reading, then the view.
void readMessageArchiveByPeriod(const MainWindowContext& context, const MessageArchive& archive);
// A saved ".ala" or ".aud" chosen in the open dialog, shown in its view.
void viewMessageFile(const MainWindowContext& context, MessageFileKind kind);

}  // namespace zvc
