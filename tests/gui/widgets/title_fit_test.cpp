#include "gui/widgets/title_fit.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

class TitleFitTest : public QObject {
  Q_OBJECT

 private slots:
  void aNarrowFixedDialogGrowsToItsCaptionOthersKeepTheirWidth_data() {
    QTest::addColumn<QString>("sizing");
    QTest::addColumn<int>("width");
    QTest::newRow("narrow and resizable") << "free" << 150;
    QTest::newRow("narrow and of fixed size") << "fixed" << 150;
    QTest::newRow("narrow, its layout of fixed size") << "layout" << 150;
    QTest::newRow("already wide") << "free" << 900;
  }
  void aNarrowFixedDialogGrowsToItsCaptionOthersKeepTheirWidth() {
    QFETCH(QString, sizing);
    QFETCH(int, width);
    zvc::TitleFit fit;
    qApp->installEventFilter(&fit);
    QDialog dialog;
    dialog.setWindowTitle("Идентификация пользователя программы");
    if (sizing == "fixed") {
      dialog.setFixedSize(width, 100);
    } else if (sizing == "layout") {
      auto* layout = new QVBoxLayout(&dialog);
      auto* field = new QLineEdit;
      field->setFixedWidth(width);
      layout->addWidget(field);
      layout->setSizeConstraint(QLayout::SetFixedSize);
      width = dialog.sizeHint().width();
    } else {
      dialog.resize(width, 100);
    }
    dialog.show();
    const int expected =
        sizing == "free" ? width : std::max(width, zvc::TitleFit::widthForTitle(dialog));
    QCOMPARE(dialog.width(), expected);
    qApp->removeEventFilter(&fit);
  }

  void otherWindowsAreLeftAlone() {
    zvc::TitleFit fit;
    qApp->installEventFilter(&fit);
    QWidget window;
    window.setWindowTitle("Идентификация пользователя программы");
    window.resize(150, 100);
    window.show();
    QCOMPARE(window.width(), 150);
    qApp->removeEventFilter(&fit);
  }
};

QTEST_MAIN(TitleFitTest)
#include "title_fit_test.moc"
