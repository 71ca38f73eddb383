#include "gui/widgets/status_panel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace zvc {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

QSize StatusPanel::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

QSize StatusPanel::sizeHint() const {
  return {0, QLabel::sizeHint().height()};
}

QRect StatusPanel::textRoom() const {
  return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QString StatusPanel::shownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, textRoom().width());
}

bool StatusPanel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && shownText() != text()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    return true;
  }
  return QLabel::event(event);
}

void StatusPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawText(textRoom(), static_cast<int>(alignment()), shownText());
}

}  // namespace zvc
