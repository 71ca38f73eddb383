#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace zvc {

// A line edit as wide as `widest` needs, its frame and margins included.
void fitFieldToText(QLineEdit* field, const QString& widest);

// The buttons of a dialog in one row, centred under its fields.
QHBoxLayout* centredButtonRow(std::initializer_list<QWidget*> buttons);

// A field with its unit or hint beside it.
QHBoxLayout* withNote(QWidget* field, std::string_view note);

// A framed column of radio items, one per choice, named itemPrefix0, itemPrefix1, …; the button
// group knows each item by its choice number.
struct RadioChoices {
  QGroupBox* group;
  QButtonGroup* items;
};
RadioChoices radioChoices(QWidget* parent, const char* caption, const char* groupName,
                          const QString& itemPrefix, int count,
                          const std::function<std::string_view(int)>& text);

}  // namespace zvc
