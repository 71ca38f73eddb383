#pragma once

#include <QDialog>
#include <QString>

#include "core/archives/print_question.h"

class QLineEdit;

namespace zvc {

class ArchiveFileHeader;
class WorkingFolder;

// " Данные для печати": shows what a report is going to hold and asks for the organisation
// printed on top of it. The organisation is remembered in "title.ini" between runs.
class TFormQues_Prn : public QDialog {
  Q_OBJECT

 public:
  TFormQues_Prn(PrintQuestionType type, const ArchiveFileHeader& header,
                const WorkingFolder& folder, QWidget* parent = nullptr);

  // After Accepted: the text as the report prints it.
  QString organisation() const { return organisation_; }

 private:
  void PrintClick();

  OrganisationTitle title_;
  QLineEdit* organisationField_;
  QString organisation_;
};

}  // namespace zvc
