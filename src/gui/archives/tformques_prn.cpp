#include "gui/archives/tformques_prn.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/archives/archive_file_header.h"
#include "gui/widgets/dialog_layout.h"

namespace zvc {
namespace {

QLabel* centredLine(const std::string& line, QWidget* parent, bool bold = false) {
  auto* label = new QLabel(QString::fromUtf8(line), parent);
  label->setAlignment(Qt::AlignCenter);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace

TFormQues_Prn::TFormQues_Prn(PrintQuestionType type, const ArchiveFileHeader& header,
                             const WorkingFolder& folder, QWidget* parent)
    : QDialog(parent), title_(OrganisationTitle::load(organisationTitleFile(folder))) {
  setWindowTitle(QString::fromUtf8(kPrintQuestionCaption));
  const PrintQuestionLines lines = printQuestionLines(type, header);

  organisationField_ = new QLineEdit(QString::fromUtf8(title_.text()), this);
  organisationField_->setObjectName("organisation");
  organisationField_->setMaxLength(static_cast<int>(OrganisationTitle::kSize));
  // Room for 40 wide letters.
  organisationField_->setMinimumWidth(
      organisationField_->fontMetrics().horizontalAdvance(QString(OrganisationTitle::kSize, u'Ш')));

  auto* organisationBox = new QGroupBox(this);
  auto* organisationLayout = new QVBoxLayout(organisationBox);
  auto* labels = new QHBoxLayout;
  labels->addWidget(new QLabel(QString::fromUtf8(kOrganisationLabel), organisationBox));
  labels->addStretch();
  labels->addWidget(new QLabel(QString::fromUtf8(kOrganisationHint), organisationBox));
  organisationLayout->addLayout(labels);
  organisationLayout->addWidget(organisationField_);

  auto* print = new QPushButton("Печатать", this);
  auto* cancel = new QPushButton("Отменить", this);
  print->setDefault(true);
  connect(print, &QPushButton::clicked, this, &TFormQues_Prn::PrintClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(centredLine(lines.listTitle, this, true));
  layout->addWidget(centredLine(lines.controller, this));
  layout->addWidget(centredLine(lines.period, this));
  layout->addSpacing(8);
  layout->addWidget(organisationBox);
  layout->addLayout(centredButtonRow({print, cancel}));
  organisationField_->setFocus();
}

void TFormQues_Prn::PrintClick() {
  organisation_ = QString::fromUtf8(title_.accept(organisationField_->text().toStdString()));
  accept();
}

}  // namespace zvc
