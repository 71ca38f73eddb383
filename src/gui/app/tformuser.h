#pragma once

#include <QDialog>
#include <optional>

#include "core/app/connection_step.h"

class QLineEdit;

namespace zvc {

class Frontend;

// "Идентификация пользователя программы": the user's identification code and write password,
// both masked. Accepted with the credentials; "Выход" leaves the engine's own.
class TFormUser : public QDialog {
  Q_OBJECT

 public:
  explicit TFormUser(Frontend& frontend, QWidget* parent = nullptr);

  // What "Принять" took; nothing before that.
  const std::optional<Credentials>& credentials() const { return credentials_; }

 private:
  void AcceptClick();

  Frontend& frontend_;
  QLineEdit* code_;
  QLineEdit* password_;
  QPushButton* accept_;
  std::optional<Credentials> credentials_;
};

}  // namespace zvc
