#include <QApplication>

#include "gui/tformmain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zvc::TFormMain window;
  window.show();
  return QApplication::exec();
}
