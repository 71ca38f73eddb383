#include <QtTest>

#include "gui/tformmain.h"

class TFormMainTest : public QObject {
  Q_OBJECT

 private slots:
  void captionNamesTheServedModelWhenShown() {
    zvc::TFormMain window;
    window.show();
    QCOMPARE(window.windowTitle(), QString("Программа обслуживания контроллера  ЖВЦ_15"));
  }
};

QTEST_MAIN(TFormMainTest)
#include "tformmain_test.moc"
