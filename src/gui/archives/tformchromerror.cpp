#include "gui/archives/tformchromerror.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kWidth = 450;
constexpr int kLineHeight = 15;

}  // namespace

TFormChromError::TFormChromError(StatusFlagsMode mode, std::uint8_t status,
                                 std::uint16_t chromatographState, const QString& title,
                                 QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title.isEmpty() ? QString::fromUtf8(kStatusFlagsCaption) : title);

  auto* lines = new QVBoxLayout;
  lines->setSpacing(0);
  int number = 0;
  for (const std::string& text : statusFlagsLines(mode, status, chromatographState)) {
    auto* line = new QLabel(QString::fromStdString(text), this);
    line->setObjectName(QString("Line%1").arg(number++));
    // A large system font must not squeeze the lines into each other.
    line->setFixedHeight(std::max(kLineHeight, line->fontMetrics().height()));
    lines->addWidget(line);
  }

  auto* exit = new QPushButton("Выход", this);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lines);
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({exit}));
  // The standard width; wider only if a line would not fit.
  const QSize fitting = sizeHint();
  setFixedSize(std::max(kWidth, fitting.width()), fitting.height());
  exit->setFocus();
}

}  // namespace zvc
