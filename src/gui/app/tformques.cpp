#include "gui/app/tformques.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace zvc {
namespace {

struct MessageKind {
  const char* caption;
  const char* line3;  // empty: none
  bool question;      // "Да" / "Нет"
};

// Kinds 1..7.
constexpr MessageKind kKinds[] = {
    {"Ошибка", "", false},
    {"Ошибка ввода параметров", "", false},
    {"", "", true},
    {"", "(см. текущее состояние контроллера)", false},
    {"Результат обмена с устройством", "", false},
    {"", "", false},
    {"", "Повторить попытку?", true},
};

// A kind nobody defined still shows its lines, as a plain message.
const MessageKind& kindOf(int kind) {
  constexpr int kPlainMessage = 6;
  return kKinds[(kind >= 1 && kind <= 7 ? kind : kPlainMessage) - 1];
}

constexpr int kPixelsPerChar = 10;
constexpr int kTextMargin = 20;
constexpr int kButtonsMargin = 60;
constexpr int kLabelInset = 7;  // labels are as wide as the dialog minus twice this
constexpr int kFirstLineTop = 10;
constexpr int kLineStep = 26;
constexpr int kLineHeight = 20;
constexpr int kButtonHeight = 25;
constexpr int kButtonBottomMargin = 12;

}  // namespace

int TFormQues::widthFor(int longestTextChars) {
  return std::max(kPixelsPerChar * longestTextChars + kTextMargin,
                  2 * kButtonWidth + kButtonsMargin);
}

int TFormQues::heightFor(bool hasLine2, bool hasLine3) {
  if (hasLine3) return 175;
  return hasLine2 ? 150 : 124;
}

TFormQues::TFormQues(int kind, const QString& line1, const QString& line2, QWidget* parent)
    : QDialog(parent) {
  const MessageKind& shown = kindOf(kind);
  const QString caption = QString::fromUtf8(shown.caption);
  const QString lines[3] = {line1, line2, QString::fromUtf8(shown.line3)};
  setWindowTitle(caption);

  qsizetype longest = caption.size();
  for (const QString& line : lines) longest = std::max(longest, line.size());
  setFixedSize(widthFor(static_cast<int>(longest)),
               heightFor(!lines[1].isEmpty(), !lines[2].isEmpty()));

  placeLines(lines);
  if (shown.question) {
    placeAnswerButtons();
  } else {
    placeOneButton();
  }
}

void TFormQues::placeLines(const QString (&lines)[3]) {
  for (int n = 0; n < 3; ++n) {
    auto* label = new QLabel(lines[n], this);
    label->setObjectName(QString("line%1").arg(n + 1));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kLabelInset, kFirstLineTop + n * kLineStep, width() - 2 * kLabelInset,
                       kLineHeight);
  }
}

QPushButton* TFormQues::newButton(const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->resize(kButtonWidth, kButtonHeight);
  return button;
}

void TFormQues::placeOneButton() {
  QPushButton* close = newButton("OK");
  close->move((width() - kButtonWidth) / 2, height() - kButtonHeight - kButtonBottomMargin);
  close->setDefault(true);
  close->setFocus();
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormQues::placeAnswerButtons() {
  const int gap = (width() - 2 * kButtonWidth) / 3 - 3;
  const int top = height() - kButtonHeight - kButtonBottomMargin;
  QPushButton* no = newButton("Нет");
  QPushButton* yes = newButton("Да");
  no->move(gap, top);
  yes->move(gap + kButtonWidth + gap, top);
  yes->setDefault(true);
  yes->setFocus();
  connect(no, &QPushButton::clicked, this, &QDialog::reject);
  connect(yes, &QPushButton::clicked, this, [this] {
    answer_ = true;
    accept();
  });
}

}  // namespace zvc
