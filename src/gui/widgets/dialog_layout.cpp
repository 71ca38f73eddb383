#include "gui/widgets/dialog_layout.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

// A line edit's size hint is room for this many "x" plus its frame and margins.
constexpr int kLineEditHintChars = 17;

}  // namespace

void fitFieldToText(QLineEdit* field, const QString& widest) {
  const QFontMetrics metrics = field->fontMetrics();
  const int chrome =
      field->sizeHint().width() - metrics.horizontalAdvance(QString(kLineEditHintChars, u'x'));
  // A blank's room besides, so that the text does not touch the frame nor hide the cursor.
  field->setFixedWidth(metrics.horizontalAdvance(widest + u' ') + chrome);
}

QHBoxLayout* centredButtonRow(std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QWidget* button : buttons) row->addWidget(button);
  row->addStretch();
  return row;
}

QHBoxLayout* withNote(QWidget* field, std::string_view note) {
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addWidget(new QLabel(qtText(note), field->parentWidget()));
  return row;
}

RadioChoices radioChoices(QWidget* parent, const char* caption, const char* groupName,
                          const QString& itemPrefix, int count,
                          const std::function<std::string_view(int)>& text) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(groupName);
  auto* column = new QVBoxLayout(group);
  auto* items = new QButtonGroup(group);
  for (int choice = 0; choice < count; ++choice) {
    auto* item = new QRadioButton(QString::fromUtf8(text(choice)), group);
    item->setObjectName(itemPrefix + QString::number(choice));
    items->addButton(item, choice);
    column->addWidget(item);
  }
  return {group, items};
}

}  // namespace zvc
