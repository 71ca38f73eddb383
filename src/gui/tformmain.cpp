#include "gui/tformmain.h"

#include <QShowEvent>

namespace zvc {

namespace {
// The controller model number the program serves.
constexpr int kServedModel = 15;
}  // namespace

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
  // The window design's caption, replaced when the window is shown.
  setWindowTitle("Программа обслуживания контроллера  ЖВЦ_QRTVela");
  resize(1000, 680);
}

void TFormMain::showEvent(QShowEvent* event) {
  FormShow();
  QMainWindow::showEvent(event);
}

void TFormMain::FormShow() {
  setWindowTitle(QString::asprintf("Программа обслуживания контроллера  ЖВЦ_%02d", kServedModel));
}

}  // namespace zvc
