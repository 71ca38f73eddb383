#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace zvc {

// The message and question dialog. Kinds 1..7 give its caption, an optional fixed third line and
// either one close button or "Да"/"Нет"; the size follows the longest text.
class TFormQues : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kButtonWidth = 68;

  TFormQues(int kind, const QString& line1, const QString& line2, QWidget* parent = nullptr);

  // True only after "Да"; false from creation on and after any other way of closing.
  bool answer() const { return answer_; }

  // Dialog width for the longest of the caption and the lines.
  static int widthFor(int longestTextChars);
  // Dialog height for what the second and third lines hold.
  static int heightFor(bool hasLine2, bool hasLine3);

 private:
  void placeLines(const QString (&lines)[3]);
  void placeOneButton();
  void placeAnswerButtons();
  QPushButton* newButton(const QString& caption);

  bool answer_ = false;
};

}  // namespace zvc
