#pragma once

#include <QDialog>
#include <array>

#include "gui/tables/live_view.h"

class QLabel;
class QPushButton;

namespace zvc {

struct TableStateBlock;

// "Текущее состояние контроллера": the summary of abnormal situations (table 16) and the
// instruments' links (table 33), polled every second; buttons to the flow computers' exchange
// state and to the table-state dialog. Closes with kTableStatesAsked and the block filled when the
// user asked for the table-state dialog.
class TFormSit : public LiveView {
  Q_OBJECT

 public:
  static constexpr int kTableStatesAsked = QDialog::Accepted;

  TFormSit(TableService& tables, TableStateBlock& block, QWidget* parent = nullptr);

 protected:
  void poll() override;

 private:
  void showData();
  void FlowComputersClick();
  void TableStatesClick();
  void setButtonsEnabled(bool enabled);

  TableStateBlock& block_;
  std::vector<std::array<QLabel*, 2>> rows_;
  QPushButton* flowComputers_;
  QPushButton* tableStates_;
};

// "Состояние обмена с вычислителями РГ": per flow computer its address, link and writing.
class TFormVichState : public QDialog {
  Q_OBJECT

 public:
  explicit TFormVichState(const ConfigImage& image, QWidget* parent = nullptr);
};

}  // namespace zvc
