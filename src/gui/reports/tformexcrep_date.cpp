#include "gui/reports/tformexcrep_date.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/common/calendar.h"
#include "core/reports/report_date_dialog.h"
#include "core/ui/frontend.h"
#include "gui/link/tformobject.h"
#include "gui/link/tformobjects_list.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kFirstYear = 2000;

QLabel* label(const std::string& text, const char* name, QWidget* parent) {
  auto* l = new QLabel(QString::fromStdString(text), parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

TFormExcRep_Date::TFormExcRep_Date(PassportMode mode, const ArchiveRange& range, int contractHour,
                                   ObjectList& objects, std::filesystem::path objectsFile,
                                   Frontend& frontend, QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      range_(range),
      contractHour_(contractHour),
      objects_(objects),
      objectsFile_(std::move(objectsFile)),
      frontend_(frontend) {
  setWindowTitle(QString::fromStdString(reportDateCaption(mode)));

  year_ = new QSpinBox(this);
  year_->setObjectName("Year");
  year_->setRange(kFirstYear, kFirstYear + 99);
  month_ = new QComboBox(this);
  month_->setObjectName("Month");
  for (const std::string& name : reportMonthNames()) month_->addItem(QString::fromStdString(name));
  day_ = new QSpinBox(this);
  day_->setObjectName("Day");
  object_ = new QComboBox(this);
  object_->setObjectName("Object");
  object_->setMinimumWidth(320);
  auto* list = new QPushButton("Список объектов", this);
  list->setObjectName("ObjectsList");

  const DateTime6& last = range.last;
  year_->setValue(last.fullYear());
  month_->setCurrentIndex(last.month - 1);
  day_->setRange(1, daysInMonth(last.fullYear(), last.month));
  day_->setValue(last.day);
  fillObjects();

  auto* form = new QFormLayout;
  form->addRow("Год", year_);
  form->addRow("Месяц", month_);
  form->addRow("День", day_);
  if (mode == PassportMode::kMonthly) form->setRowVisible(day_, false);
  form->addRow("Объект", object_);

  auto* accept = new QPushButton("Принять", this);
  auto* cancel = new QPushButton("Отменить", this);
  accept->setDefault(true);
  list->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label(oldestDailyRecordLabel(range), "LabelOldest", this));
  layout->addWidget(label(newestDailyRecordLabel(range), "LabelNewest", this));
  layout->addLayout(form);
  layout->addWidget(list, 0, Qt::AlignRight);
  layout->addSpacing(8);
  layout->addLayout(centredButtonRow({accept, cancel}));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(year_, &QSpinBox::valueChanged, this, &TFormExcRep_Date::monthOrYearChanged);
  connect(month_, &QComboBox::currentIndexChanged, this, &TFormExcRep_Date::monthOrYearChanged);
  connect(object_, &QComboBox::activated, this, &TFormExcRep_Date::objectChosen);
  connect(list, &QPushButton::clicked, this, &TFormExcRep_Date::listClicked);
  connect(accept, &QPushButton::clicked, this, &TFormExcRep_Date::AcceptClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormExcRep_Date::fillObjects() {
  const QSignalBlocker blocker(object_);
  object_->clear();
  for (const std::string& item : reportObjectItems(objects_)) {
    object_->addItem(QString::fromStdString(item));
  }
  object_->setCurrentIndex(objects_.count > 0 ? objects_.selected : -1);
}

void TFormExcRep_Date::objectChosen(int item) {
  if (item < objects_.count) {
    objects_.selected = static_cast<std::uint8_t>(item);
    return;
  }
  std::string name;
  TFormObject dialog(name, frontend_, this);
  if (dialog.exec() == QDialog::Accepted) {
    addObject(objects_, name);
    writeObjects(objectsFile_, objects_);
  }
  fillObjects();
}

void TFormExcRep_Date::listClicked() {
  TFormObjects_List dialog(objects_, objectsFile_, frontend_, this);
  dialog.exec();
  fillObjects();
}

void TFormExcRep_Date::monthOrYearChanged() {
  const int year = year_->value();
  const int month = month_->currentIndex() + 1;
  const int day = dayWithinMonth(year, month, day_->value());
  day_->setRange(1, daysInMonth(year, month));
  day_->setValue(day);
}

Date3 TFormExcRep_Date::shownDate() const {
  return {static_cast<std::uint8_t>(year_->value() - kFirstYear),
          static_cast<std::uint8_t>(month_->currentIndex() + 1),
          static_cast<std::uint8_t>(day_->value())};
}

void TFormExcRep_Date::AcceptClick() {
  const int item = object_->currentIndex();
  const ReportDateCheck check =
      checkReportDate(mode_, objects_, item, shownDate(), range_, contractHour_);
  if (check.error) {
    frontend_.showMessage(kInputErrorKind, check.error->line1, check.error->line2);
    return;
  }
  date_ = check.date;
  objectName_ = objects_.names[static_cast<std::size_t>(item)];
  accept();
}

}  // namespace zvc
