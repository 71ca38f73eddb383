// The message-archive items of the main window against a running zvc-sim: from the menu through
// the dialogs, the reading and the view to a saved file opened again.

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "core/link/kpsbox.h"
#include "gui/app/tformmain.h"
#include "gui/app/tformques.h"
#include "gui/archives/tformala.h"
#include "gui/archives/tformaud.h"
#include "gui/archives/tformindex.h"
#include "gui/archives/tformperiod.h"
#include "gui/dialog_test_helpers.h"
#include "gui/main_window_on_sim.h"
#include "sim_process.h"

using zvc::TFormMain;
using zvc::test::whenShown;

namespace {

// Types the name into Qt's own file dialog and accepts it.
void choose(QFileDialog& dialog, const std::string& name) {
  auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
  QVERIFY(field);
  field->setText(QString::fromStdString(name));
  static_cast<QDialog&>(dialog).accept();
}

int gridRows(const QDialog& view) {
  return view.findChild<QTableView*>()->model()->rowCount();
}

QStringList gridRow(const QDialog& view, int row) {
  const QAbstractItemModel* model = view.findChild<QTableView*>()->model();
  QStringList texts;
  for (int column = 1; column < model->columnCount(); ++column) {
    texts << model->index(row, column).data().toString();
  }
  return texts;
}

// The working tables the connection step reads: the files name the chromatograph model.
constexpr int kChromatographTable = 14;
constexpr int kChromatographModelField = 6;
constexpr std::uint8_t kVela = 7;

const QString kData = "Данные";
const QString kDiagnostics = "Диагностические сообщения   ";
const QString kInterventions = "Сообщения о вмешательствах оператора    ";

}  // namespace

class MessageArchiveMenuTest : public QObject {
  Q_OBJECT

  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }

 private slots:
  // A window whose engine talks to the simulator over TCP, as after a connection step.
  void init() {
    on_ = std::make_unique<zvc::test::SimMainWindow>();
    QVERIFY(window().connectionState().engine->tcpSocket >= 0);
    window().image().field(kChromatographTable, kChromatographModelField)[0] = kVela;
    window().applyMenuRules();
    window().show();
  }
  void cleanup() { on_.reset(); }

  void diagnosticsByIndexAreShownSavedAndOpenedAgain() {
    const std::string saved = on_->folder.filePath("last10").toStdString();
    QStringList lastRow;
    whenShown<zvc::TFormIndex>([&](zvc::TFormIndex& dialog) {
      dialog.findChild<QRadioButton*>("RadioIndex3")->click();  // the last 10
      whenShown<zvc::TFormAla>([&](zvc::TFormAla& view) {
        QCOMPARE(gridRows(view), 10);
        QVERIFY(view.windowTitle().startsWith("Диагностические сообщения с индексами от "));
        lastRow = gridRow(view, 9);
        whenShown<QFileDialog>([&](QFileDialog& save) {
          whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
            QCOMPARE(told.findChild<QLabel*>("line1")->text(),
                     QString("Данные сохранены в файле last10.ala."));
            zvc::test::click(told, "OK");
            zvc::test::click(view, "Выход");
          });
          choose(save, saved);
        });
        zvc::test::click(view, "Сохранить в файле");
      });
      zvc::test::click(dialog, "Принять");
    });
    zvc::test::menuItem(window(), {kData, kDiagnostics, "Запрос по индексу"})->trigger();
    QVERIFY(std::filesystem::exists(saved + ".ala"));
    QVERIFY(!lastRow.isEmpty());

    whenShown<QFileDialog>([&](QFileDialog& open) {
      QCOMPARE(open.windowTitle(), QString("Выберите файл с данными"));
      whenShown<zvc::TFormAla>([&](zvc::TFormAla& view) {
        QCOMPARE(gridRows(view), 10);
        QVERIFY(view.windowTitle().startsWith("Диагностические сообщения за период с "));
        QCOMPARE(gridRow(view, 9), lastRow);
        zvc::test::click(view, "Выход");
      });
      choose(open, saved + ".ala");
    });
    zvc::test::menuItem(window(), {kData, kDiagnostics, "Просмотр/Печать из файла"})->trigger();
  }

  void interventionsOfTheLastDayAreShown() {
    int rows = 0;
    whenShown<zvc::TFormPeriod>([&](zvc::TFormPeriod& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod1")->click();  // the last day
      whenShown<zvc::TFormAud>([&](zvc::TFormAud& view) {
        rows = gridRows(view);
        QVERIFY(view.windowTitle().startsWith("Сообщения о вмешательствах оператора за период с "));
        zvc::test::click(view, "Выход");
      });
      zvc::test::click(dialog, "Принять");
    });
    zvc::test::menuItem(window(), {kData, kInterventions, "Запрос за период"})->trigger();
    QVERIFY(rows > 0);
    QVERIFY(window().isEnabled());
  }
};

QTEST_MAIN(MessageArchiveMenuTest)
#include "message_archive_menu_test.moc"
