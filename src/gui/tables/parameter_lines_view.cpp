#include "gui/tables/parameter_lines_view.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {

ParameterLinesView::ParameterLinesView(std::string_view caption,
                                       const std::vector<ParameterLine>& lines, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(qtText(caption));
  auto* form = new QFormLayout;
  form->setHorizontalSpacing(24);
  int row = 0;
  for (const ParameterLine& line : lines) {
    auto* label = new QLabel(qtText(line.label), this);
    auto* value = new QLabel(qtText(line.value), this);
    value->setObjectName(QString("value%1").arg(row++));
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance('0') * 24);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (line.alarm) value->setStyleSheet("color: red");
    label->setEnabled(line.enabled);
    value->setEnabled(line.enabled);
    form->addRow(label, value);
  }
  auto* exit = new QPushButton("Выход", this);
  connect(exit, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(centredButtonRow({exit}));
}

}  // namespace zvc
