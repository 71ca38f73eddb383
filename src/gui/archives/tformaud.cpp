#include "gui/archives/tformaud.h"

namespace zvc {

TFormAud::TFormAud(const MessageViewRows& rows, const WorkingFolder& folder, Frontend& frontend,
                   QWidget* parent)
    : MessageViewWindow(rows, folder, frontend, parent) {}

}  // namespace zvc
