#pragma once

#include <QDialog>

#include "core/link/link_settings.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace zvc {

class Frontend;
class kpsbox;

// "Параметры связи с устройством": the link parameters of the chosen link kind. Edits a working
// copy of the settings that "Принять" puts in place; the port-release check box takes effect at
// once.
class TFormConn_Par : public QDialog {
  Q_OBJECT

 public:
  TFormConn_Par(kpsbox& engine, LinkSettings& settings, Frontend& frontend,
                QWidget* parent = nullptr);

 private:
  void addSerialFields(QFormLayout& form, const LinkParamsInput& shown);
  void addTimingFields(QFormLayout& form, const LinkParamsInput& shown);
  void addDirectFields(QFormLayout& form, const LinkParamsInput& shown);
  void addConnectFields(QFormLayout& form, const LinkParamsInput& shown);
  QLineEdit* numberField(const char* objectName, const std::string& value);
  LinkParamsInput input() const;
  // The checks and the copy-back of "Принять"; false after a message.
  bool takeInput();
  void acceptClicked();
  void searchClicked();
  void closePortToggled(bool checked);

  kpsbox& engine_;
  LinkSettings& settings_;
  LinkSettings working_;
  Frontend& frontend_;
  const std::uint8_t linkKind_;
  QComboBox* port_ = nullptr;
  QComboBox* speed_ = nullptr;
  QComboBox* tries_ = nullptr;
  QLineEdit* preambles_ = nullptr;
  QLineEdit* firstByteWait_ = nullptr;
  QLineEdit* nextByteWait_ = nullptr;
  QCheckBox* closePort_ = nullptr;
  QLineEdit* portReleaseWait_ = nullptr;
  QLineEdit* modemCommand_ = nullptr;
  QLineEdit* connectWait_ = nullptr;
  QLineEdit* connectAttempts_ = nullptr;
  QLineEdit* requestPause_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* search_ = nullptr;
};

}  // namespace zvc
