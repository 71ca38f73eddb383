#include "gui/app/tformabout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/version.h"

namespace zvc {
namespace {
constexpr int kServedModel = 15;
}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setWindowTitle("О программе");
  const QString lines[] = {
      QString::asprintf("Программа обслуживания контроллера  ЖВЦ_%02d", kServedModel),
      QString("Версия %1").arg(kProgramVersion),
      "Контроллеры ЖВЦ (код типа 73), версии ПО 15 и 14",
      "Хроматограф QRT Vela, влагомер, вычислители расхода газа",
  };
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(8);
  layout->setContentsMargins(24, 18, 24, 14);
  for (const QString& line : lines) {
    auto* label = new QLabel(line, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  QFont title = layout->itemAt(0)->widget()->font();
  title.setBold(true);
  layout->itemAt(0)->widget()->setFont(title);

  auto* close = new QPushButton("OK", this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  layout->addSpacing(6);
  layout->addWidget(close, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zvc
