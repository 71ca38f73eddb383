#include "gui/tables/tformparlist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/widgets/qt_text.h"
#include "gui/tables/tformpar.h"

namespace zvc {

TFormParList::TFormParList(ParameterListBlock block, Frontend& frontend, QWidget* parent)
    : EntryListDialog(SectionMode::kAccept, frontend, parent), block_(block) {
  setWindowTitle(qtText(kParameterListCaption));
  std::ranges::copy(block_, edited_.begin());
  count_ = new QLabel(this);
  count_->setObjectName("count");
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(qtText(kParameterCountShown), this));
  countRow->addWidget(count_);
  countRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(countRow);
  const std::string minimum = std::string(kRangeColumnsGroup) + "\n" + kParameterColumns[5].data();
  const std::string maximum = std::string(kRangeColumnsGroup) + "\n" + kParameterColumns[6].data();
  std::vector<std::string_view> headings(kParameterColumns.begin(), kParameterColumns.end() - 2);
  headings.insert(headings.end(), {minimum, maximum});
  buildList(layout, headings);
  showCount();
  resize(820, 520);
}

ParameterRecord TFormParList::record(int entry) {
  return parameterRecord(std::span<std::uint8_t, kParameterBytes>(edited_.data() + 1,
                                                                  kParameterBytes),
                         entry);
}

void TFormParList::showCount() {
  count_->setText(QString::number(usedParameters(edited_[0])));
}

std::vector<std::vector<std::string>> TFormParList::rows() const {
  const ConstParameterTable table(edited_.data() + 1, kParameterBytes);
  std::vector<std::vector<std::string>> rows;
  for (int entry = 0; entry < usedParameters(edited_[0]); ++entry) {
    const std::array<std::string, 7> row = parameterRow(parameterRecord(table, entry), entry);
    rows.emplace_back(row.begin(), row.end());
  }
  return rows;
}

bool TFormParList::canAdd() const {
  return canAddParameter(edited_);
}

bool TFormParList::canRemove() const {
  return canRemoveParameter(edited_);
}

bool TFormParList::addEntry() {
  std::array<std::uint8_t, kParameterRecordBytes> added{};
  TFormPar dialog(added, frontend(), this);
  if (dialog.exec() != QDialog::Accepted) return false;
  appendParameter(edited_, added);
  showCount();
  return true;
}

void TFormParList::changeEntry(int entry) {
  // The dialog edits a copy: a refused or cancelled edit leaves the record as it was.
  std::array<std::uint8_t, kParameterRecordBytes> edited{};
  std::ranges::copy(record(entry), edited.begin());
  TFormPar dialog(edited, frontend(), this);
  if (dialog.exec() == QDialog::Accepted) std::ranges::copy(edited, record(entry).begin());
}

std::array<std::string, 2> TFormParList::removeQuestion(int) const {
  const InputError question = parameterRemoveQuestion();
  return {question.line1, question.line2};
}

void TFormParList::removeEntry(int entry) {
  removeParameter(edited_, entry);
  showCount();
}

std::optional<InputError> TFormParList::store() {
  changed_ = !std::ranges::equal(edited_, block_);
  std::ranges::copy(edited_, block_.begin());
  return std::nullopt;
}

}  // namespace zvc
