#include "gui/tables/section_dialog.h"

#include <QBoxLayout>
#include <QPushButton>

#include "core/ui/frontend.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;

}  // namespace

SectionDialog::SectionDialog(SectionMode mode, Frontend& frontend, QWidget* parent)
    : QDialog(parent), mode_(mode), frontend_(frontend) {}

void SectionDialog::addButtonRow(QBoxLayout* layout) {
  auto* confirm = new QPushButton(QString::fromUtf8(confirmCaption(mode_)), this);
  confirm->setObjectName("confirm");
  confirm->setAutoDefault(false);
  auto* cancel = new QPushButton(QString::fromUtf8(kCancelCaption), this);
  cancel->setObjectName("cancel");
  cancel->setAutoDefault(false);
  connect(confirm, &QPushButton::clicked, this, &SectionDialog::confirmClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(centredButtonRow({confirm, cancel}));
}

void SectionDialog::confirmClicked() {
  if (const std::optional<InputError> error = store()) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return;
  }
  accept();
}

}  // namespace zvc
