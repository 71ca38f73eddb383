#include "gui/app/qt_translation.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QtTest>

// Qt's own dialogs speak the program's language.
class QtTranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void qtFileDialogsAreRussian() {
    QVERIFY(zvc::installQtTranslation(*QApplication::instance()));

    QFileDialog dialog(nullptr, "Выберите файл с данными");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    QVERIFY2(!labels.contains("Look in:"), qPrintable(labels.join(" | ")));
    QVERIFY2(labels.contains("Перейти к:"), qPrintable(labels.join(" | ")));
  }
};

QTEST_MAIN(QtTranslationTest)
#include "qt_translation_test.moc"
