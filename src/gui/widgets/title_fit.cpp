#include "gui/widgets/title_fit.h"

#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLayout>
#include <QScreen>
#include <algorithm>

namespace zvc {

namespace {

// Room for the window icon, the title bar's buttons and the decoration's margins.
constexpr int kTitleBarExtras = 160;

}  // namespace

int TitleFit::widthForTitle(const QWidget& window) {
  // Title bars often use a bold font, sometimes a slightly larger one than the dialog's own.
  QFont titleFont = window.font();
  titleFont.setBold(true);
  const QFontMetrics metrics(titleFont);
  return metrics.horizontalAdvance(window.windowTitle()) * 11 / 10 + kTitleBarExtras;
}

bool TitleFit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show) return false;
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || !dialog->isWindow() || dialog->windowTitle().isEmpty()) return false;
  int needed = widthForTitle(*dialog);
  if (const QScreen* screen = dialog->screen())
    needed = std::min(needed, screen->availableGeometry().width());
  if (dialog->width() >= needed) return false;
  QLayout* layout = dialog->layout();
  if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
    // Such a layout would shrink the dialog back to its fields; it stays of fixed size, wider.
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    dialog->setFixedSize(needed, dialog->sizeHint().height());
  } else if (dialog->minimumWidth() == dialog->maximumWidth()) {
    dialog->setFixedWidth(needed);
  }
  // A window the user can resize keeps its designed width: its caption is the user's to uncover.
  return false;
}

}  // namespace zvc
