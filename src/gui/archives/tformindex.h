#pragma once

#include <QDialog>
#include <cstdint>

#include "core/archives/archive_dialogs.h"

class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace zvc {

class ArchiveDialogSettings;
class Frontend;

// The range of record indices to read from a message archive: a whole, last-N or typed range
// between the oldest and newest index the controller holds.
class TFormIndex : public QDialog {
  Q_OBJECT

 public:
  // Mode 0 diagnostic archive, 1 intervention archive. The dialog keeps its choice in `settings`.
  TFormIndex(int mode, ArchiveBounds bounds, ArchiveDialogSettings& settings, Frontend& frontend,
             QWidget* parent = nullptr);

  // Valid after exec() == QDialog::Accepted.
  std::uint32_t firstIndex() const { return first_; }
  std::uint32_t count() const { return count_; }

 private:
  void addBoundRows(QGridLayout& grid);
  QWidget* choiceGroup();
  void addRangeRows(QGridLayout& grid);
  void choose(int choice);
  void AcceptClick();

  ArchiveBounds bounds_;
  ArchiveDialogSettings& settings_;
  Frontend& frontend_;
  QButtonGroup* choices_ = nullptr;
  QLineEdit* firstEdit_ = nullptr;
  QLineEdit* countEdit_ = nullptr;
  QPushButton* accept_ = nullptr;
  std::uint32_t first_ = 0;
  std::uint32_t count_ = 0;
};

}  // namespace zvc
