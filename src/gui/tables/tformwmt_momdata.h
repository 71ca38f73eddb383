#pragma once

#include "gui/tables/live_view.h"

class QLineEdit;
class QTableWidget;

namespace zvc {

// "Мгновенные данные влагомера": the moisture meter's momentary values, polled every 10 s.
class TFormWmt_MomData : public LiveView {
  Q_OBJECT

 public:
  explicit TFormWmt_MomData(TableService& tables, QWidget* parent = nullptr);

 protected:
  void poll() override;

 private:
  void showData();

  bool read_ = false;
  QTableWidget* grid_;
  QLineEdit* dataTime_;
};

}  // namespace zvc
