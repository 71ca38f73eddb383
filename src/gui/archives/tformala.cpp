#include "gui/archives/tformala.h"

namespace zvc {

TFormAla::TFormAla(const MessageViewRows& rows, const WorkingFolder& folder, Frontend& frontend,
                   QWidget* parent)
    : MessageViewWindow(rows, folder, frontend, parent) {}

}  // namespace zvc
