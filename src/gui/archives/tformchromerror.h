#pragma once

#include <QDialog>
#include <cstdint>

#include "core/archives/status_flags.h"

namespace zvc {

// StatusFlagsDialog: what the status byte (and for a measurement record the chromatograph state
// code) of an archive record says, one line per label.
class TFormChromError : public QDialog {
  Q_OBJECT

 public:
  // `title` describes the record and becomes the window caption; an empty one leaves the
  // standard caption.
  TFormChromError(StatusFlagsMode mode, std::uint8_t status, std::uint16_t chromatographState,
                  const QString& title, QWidget* parent = nullptr);
};

}  // namespace zvc
