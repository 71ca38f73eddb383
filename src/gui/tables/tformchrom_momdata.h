#pragma once

#include "gui/tables/live_view.h"

class QLineEdit;
class QTableWidget;

namespace zvc {

// "Мгновенные данные хроматографа (сер. № …; нитка "…"), зоны параметров газа": the momentary
// values of one run (0 or 1) and their zones, polled every 10 s. Rows beyond the number of
// measured parameters are greyed.
class TFormChrom_MomData : public LiveView {
  Q_OBJECT

 public:
  TFormChrom_MomData(TableService& tables, int run, QWidget* parent = nullptr);

 protected:
  void poll() override;

 private:
  void showData();

  int run_;
  bool read_ = false;  // momentary data read at least once
  QTableWidget* grid_;
  QLineEdit* pollTime_;
};

}  // namespace zvc
