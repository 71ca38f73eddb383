#pragma once

#include "gui/archives/message_view_window.h"

namespace zvc {

// The diagnostic message view.
class TFormAla : public MessageViewWindow {
  Q_OBJECT

 public:
  TFormAla(const MessageViewRows& rows, const WorkingFolder& folder, Frontend& frontend,
           QWidget* parent = nullptr);
};

}  // namespace zvc
