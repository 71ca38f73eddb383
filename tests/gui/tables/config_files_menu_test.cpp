// The configuration-file items of the main window: a file chosen, edited in the configuration
// editor and saved under the proposed name; nothing saved when the editor is cancelled.

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/common/text_codec.h"
#include "core/tables/config_file.h"
#include "gui/app/tformmain.h"
#include "gui/app/tformques.h"
#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformconfig.h"
#include "gui/tables/tformcontrname.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;
using test::menuItem;
using test::whenShown;

namespace {

const QString kFiles = "Файлы  конфигурации          ";

// The file dialog closed with that file, or with the name it proposes.
void chooseFile(const QString& name = {}) {
  whenShown<QFileDialog>([name](QFileDialog& dialog) {
    if (!name.isEmpty()) dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
    static_cast<QDialog&>(dialog).accept();  // the dialog's own accept checks the name
  });
}

void closeMessage() {
  whenShown<TFormQues>([](TFormQues& message) { message.accept(); });
}

}  // namespace

class ConfigFilesMenuTest : public QObject {
  Q_OBJECT

  QTemporaryDir folder_;
  std::unique_ptr<TFormMain> window_;

  QString configFolder() const { return folder_.path() + "/CONFIG"; }
  QStringList savedFiles() const {
    return QDir(configFolder()).entryList({"*.cnf"}, QDir::Files, QDir::Name);
  }

 private slots:
  void init() {
    window_ = std::make_unique<TFormMain>(WorkingFolder(folder_.path().toStdString()));
    window_->findChild<QTimer*>("TimerStart")->stop();
    window_->applyMenuRules();
    for (const QString& file : savedFiles()) QDir(configFolder()).remove(file);
  }
  void cleanup() { window_.reset(); }

  void aCorrectedFileIsSavedUnderTheProposedName() {
    test::RecordingFrontend silent;
    QVERIFY(writeConfigFile((configFolder() + "/old.cnf").toStdString(), defaultConfigRecord(),
                            silent));
    chooseFile(configFolder() + "/old.cnf");
    whenShown<TFormConfig>([](TFormConfig& editor) {
      whenShown<TFormContrName>([](TFormContrName& names) {
        names.findChildren<QLineEdit*>().front()->setText("Station 7");
        click(names, "Принять");
      });
      click(editor, "Наименования");
      chooseFile();
      closeMessage();
      click(editor, "Принять");
    });
    menuItem(*window_, {"Файл", kFiles, "Просмотр/Корректировка файла конфигурации"})->trigger();
    const QStringList saved = savedFiles();
    QCOMPARE(saved.size(), 2);
    QVERIFY(saved[1].startsWith("zvc_15-Station 7-"));
  }

  void aCancelledNewFileSavesNothing() {
    whenShown<TFormConfig>([](TFormConfig& editor) { click(editor, "Отменить"); });
    menuItem(*window_, {"Файл", kFiles, "Создание нового файла конфигурации"})->trigger();
    QVERIFY(savedFiles().isEmpty());
  }
};

QTEST_MAIN(ConfigFilesMenuTest)
#include "config_files_menu_test.moc"
