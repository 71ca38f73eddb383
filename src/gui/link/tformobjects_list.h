#pragma once

#include <QDialog>
#include <filesystem>

#include "core/link/subscribers.h"

class QPushButton;
class QTableWidget;

namespace zvc {

class Frontend;

// " Список объектов": edits the live object list; closing other than by "Принять" puts the list
// back as it was, "Принять" writes "objects.ini" when the list changed.
class TFormObjects_List : public QDialog {
  Q_OBJECT

 public:
  TFormObjects_List(ObjectList& list, std::filesystem::path file, Frontend& frontend,
                    QWidget* parent = nullptr);

  void done(int result) override;

 private:
  void fillGrid();
  void rowChosen(int row);
  void changeClicked();
  void addClicked();
  void deleteClicked();

  ObjectList& list_;
  const ObjectList kept_;
  std::filesystem::path file_;
  Frontend& frontend_;
  QTableWidget* grid_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace zvc
