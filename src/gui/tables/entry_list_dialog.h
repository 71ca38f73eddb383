#pragma once

#include <QStringList>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "gui/tables/section_dialog.h"

class QBoxLayout;
class QPushButton;
class QTableWidget;

namespace zvc {

// The shape of the list dialogs: a grid of entries with "Добавить", "Изменить" (or a double
// click) and "Удалить" beside the confirm and cancel buttons. Add and change open the entry's own
// dialog; remove asks first. The subclass keeps the entries and says what each row shows and
// whether an entry may be added or removed.
class EntryListDialog : public SectionDialog {
  Q_OBJECT

 protected:
  EntryListDialog(SectionMode mode, Frontend& frontend, QWidget* parent);

  // Builds the grid with these headings (two-line headings hold "\n") and the buttons into
  // layout; call once the entries are in place.
  void buildList(QBoxLayout* layout, const std::vector<std::string_view>& headings);
  // Shows the rows again and enables the buttons as the entries allow.
  void refresh();

  int currentEntry() const;

  virtual std::vector<std::vector<std::string>> rows() const = 0;
  virtual bool canAdd() const = 0;
  virtual bool canRemove() const = 0;
  // The entry dialog for a new entry; true when one was added.
  virtual bool addEntry() = 0;
  virtual void changeEntry(int entry) = 0;
  // The question before removing; removeEntry runs only after "Да".
  virtual std::array<std::string, 2> removeQuestion(int entry) const = 0;
  virtual void removeEntry(int entry) = 0;

 private:
  void addClicked();
  void changeClicked();
  void removeClicked();

  QTableWidget* grid_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* remove_ = nullptr;
};

}  // namespace zvc
