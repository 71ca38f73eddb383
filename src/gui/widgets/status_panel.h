#pragma once

#include <QLabel>

namespace zvc {

// A sunken panel of a status bar. It keeps the size the bar gives it whatever it is told, so a
// long text never widens the window: a text too long for it ends in "…" and shows whole as its
// tooltip. text() stays the whole text.
class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  explicit StatusPanel(QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

  // The text as the panel shows it now.
  QString shownText() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect textRoom() const;
};

}  // namespace zvc
