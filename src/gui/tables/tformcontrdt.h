#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <span>

#include "core/tables/controller_clock.h"

class QLabel;
class QTimer;

namespace zvc {

// "Текущие дата и время": the controller's clock beside the computer's, both running, what
// differs in red. "Скорректировать в контроллере" closes the dialog as accepted, asking for the
// correction; it is closed while the controller may not follow the computer's clock.
class TFormContrDt : public QDialog {
  Q_OBJECT

 public:
  using Clock = std::function<DateTime6()>;

  TFormContrDt(const ClockReading& reading, std::span<const std::uint8_t, 12> table6,
               bool syncAllowed, QWidget* parent = nullptr, Clock now = localNow);

 private:
  void tick();

  ClockReading reading_;
  std::array<std::uint8_t, 12> table6_{};
  Clock now_;
  std::array<QLabel*, 4> controller_{};
  std::array<QLabel*, 4> computer_{};
  QTimer* timer_ = nullptr;
};

}  // namespace zvc
