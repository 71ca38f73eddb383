#pragma once

#include "gui/archives/message_view_window.h"

namespace zvc {

// The operator-intervention message view.
class TFormAud : public MessageViewWindow {
  Q_OBJECT

 public:
  TFormAud(const MessageViewRows& rows, const WorkingFolder& folder, Frontend& frontend,
           QWidget* parent = nullptr);
};

}  // namespace zvc
