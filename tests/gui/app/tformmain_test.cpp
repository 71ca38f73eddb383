#include "gui/app/tformmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "core/app/version.h"
#include "core/common/text_codec.h"
#include "core/link/kpsbox.h"
#include "gui/app/tformabout.h"
#include "gui/app/tformuser.h"
#include "gui/dialog_test_helpers.h"
#include "gui/link/tformconnect.h"
#include "gui/widgets/status_panel.h"

using zvc::TFormMain;

namespace {

// Shown when it and every menu above it are shown.
bool isShown(TFormMain& window, const QStringList& path) {
  for (qsizetype n = 1; n <= path.size(); ++n) {
    QAction* item = zvc::test::menuItem(window, path.first(n));
    if (!item || !item->isVisible()) return false;
  }
  return true;
}

void setField(zvc::ConfigImage& image, int table, int field, const char* utf8) {
  const auto bytes = image.field(table, field);
  zvc::utf8ToField(utf8, bytes.data(), bytes.size());
}

const QString kRead = "Чтение архива контроллера    ";
const QString kChromatograph = "Данные  хроматографа";
const QString kMomentary = "Мгновенные данные хроматографа, зоны параметров газа    ";
const QString kDaily = "Паспорт ЖВЦ показателей за сутки   ";

}  // namespace

class TFormMainTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<TFormMain> window_;

  TFormMain& window() { return *window_; }
  std::filesystem::path root() const { return folder_->path().toStdString(); }

 private slots:
  // A fresh working folder and a window whose connection step does not start by itself.
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    window_ = std::make_unique<TFormMain>(zvc::WorkingFolder(root()));
    window_->findChild<QTimer*>("TimerStart")->stop();
  }
  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  void captionNamesTheServedModelWhenShown() {
    window().show();
    QCOMPARE(window().windowTitle(), QString("Программа обслуживания контроллера  ЖВЦ_15"));
  }

  void startUpMakesTheFoldersAndWaitsWithTheSettingsUntilClosing() {
    for (const char* name : {"CONFIG", "ALAFILES", "AUDFILES", "CALIBRARHIV", "VERIFARHIV",
                             "MOMDATA", "HOURDATA", "DAYDATA", "REPORT", "INI"}) {
      QVERIFY2(std::filesystem::is_directory(root() / name), name);
    }
    QVERIFY(!std::filesystem::exists(root() / "INI" / "rd_arh.ini"));
    QCOMPARE(window().size(), QSize(1000, 680));
    QVERIFY(!window().menuBar()->actions().first()->isVisible());  // until the connection step

    std::ofstream(root() / "datafile.ala") << "records";
    window().show();
    zvc::test::menuItem(window(), {"Файл", "Выход"})->trigger();
    QVERIFY(!window().isVisible());
    QCOMPARE(std::filesystem::file_size(root() / "INI" / "rd_arh.ini"), 74u);
    QVERIFY(!std::filesystem::exists(root() / "datafile.ala"));
  }

  void closingDuringTheConnectionStepWaitsForItsEnd() {
    window().show();
    bool shownMeanwhile = false;
    zvc::test::whenModalOpens<zvc::TFormConnect>(
        [this, &shownMeanwhile](zvc::TFormConnect& dialog) {
          window().close();
          shownMeanwhile = window().isVisible();
          zvc::test::click(dialog, "Выход");
        });
    QMetaObject::invokeMethod(&window(), "TimerStartTimer");
    QVERIFY(shownMeanwhile);
    QVERIFY(!window().isVisible());
    QVERIFY(std::filesystem::exists(root() / "INI" / "rd_arh.ini"));
  }

  void menusWhenNotConnected() {
    window().applyMenuRules();
    const QList<QStringList> shown = {
        {"Файл", "Файлы  конфигурации          ", "Создание нового файла конфигурации"},
        {"Файл", "Выход"},
        {"Данные", "Сообщения о вмешательствах оператора    ", "Просмотр/Печать из файла"},
        {"Данные", "Диагностические сообщения   ", "Просмотр/Печать из файла"},
        {"Данные", kChromatograph, "Часовые  данные", "Просмотр/Печать из файла"},
        {"Данные", kChromatograph, "Калибровочные данные      ", "Просмотр/Печать из файла"},
        {"Данные", "Данные влагомера", "Суточные  данные", "Просмотр/Печать из файла"},
        {"Связь с другим устройством"},
        {"Версия", "Идентификация пользователя программы"},
        {"Версия", "О программе"},
    };
    for (const QStringList& path : shown)
      QVERIFY2(isShown(window(), path), qPrintable(path.join('/')));
    const QList<QStringList> hidden = {
        {"Параметры"},
        {"Отчеты"},
        {"Файл", "Сохранение параметров конфигурации в файле"},
        {"Данные", " Серийный номер хроматографа"},
        {"Данные", "Дата и время"},
        {"Данные", "Текущее состояние контроллера"},
        {"Данные", "Сообщения о вмешательствах оператора    ", "Запрос по индексу"},
        {"Данные", "Диагностические сообщения   ", "Запрос за период"},
        {"Данные", kChromatograph, kMomentary},
        {"Данные", kChromatograph, "Измерительные данные", kRead},
        {"Данные", kChromatograph, "Данные поверки", kRead},
        {"Данные", "Данные влагомера", "Мгновенные данные влагомера"},
        {"Данные", "Данные влагомера", "Часовые  данные", "Чтение архива контроллера"},
    };
    for (const QStringList& path : hidden) {
      QVERIFY2(zvc::test::menuItem(window(), path), qPrintable(path.join('/')));
      QVERIFY2(!isShown(window(), path), qPrintable(path.join('/')));
    }
  }

  void onlyExistingOperationsAreEnabled() {
    window().applyMenuRules();
    for (const QStringList& path :
         QList<QStringList>{{"Файл", "Выход"},
                            {"Связь с другим устройством"},
                            {"Версия", "Идентификация пользователя программы"},
                            {"Версия", "О программе"}}) {
      QVERIFY2(zvc::test::menuItem(window(), path)->isEnabled(), qPrintable(path.join('/')));
    }
    QVERIFY(zvc::test::menuItem(
                window(), {"Данные", "Диагностические сообщения   ", "Просмотр/Печать из файла"})
                ->isEnabled());
    QVERIFY(
        !zvc::test::menuItem(window(), {"Данные", "Текущее состояние контроллера"})->isEnabled());
    QAction* second = zvc::test::menuItem(window(), {"Файл", "Файлы  конфигурации          ",
                                                     "Просмотр/Корректировка файла конфигурации"});
    QCOMPARE(second->property("Tag").toInt(), 1);
    QCOMPARE(second->property("handler").toString(), QString("NParCnfClick"));
    QCOMPARE(zvc::test::menuItem(window(), {"Данные", "Сообщения о вмешательствах оператора    ",
                                            "Запрос по индексу"})
                 ->property("Tag")
                 .toInt(),
             1);
  }

  void controllerServingOnlyRun2NamesItsItemsAndHidesRun1() {
    zvc::ConfigImage& image = window().image();
    image.field(14, 7)[0] = 0b10;
    image.field(6, 8)[0] = 0;  // no moisture meter
    image.field(6, 9)[0] = 2;  // two flow computers
    setField(image, 5, 1, "Нитка Север");
    setField(image, 5, 2, "Нитка Юг & Запад");
    window().connectionState().connected = true;
    window().applyMenuRules();

    const QString run2 = "Нитка Юг && Запад";
    for (const QStringList& menu :
         QList<QStringList>{{"Данные", kChromatograph, kMomentary},
                            {"Данные", kChromatograph, "Измерительные данные", kRead},
                            {"Данные", kChromatograph, "Часовые  данные", kRead},
                            {"Данные", kChromatograph, "Суточные  данные", kRead},
                            {"Отчеты", kDaily},
                            {"Отчеты", "Паспорт ЖВЦ показателей за месяц   "}}) {
      QVERIFY2(isShown(window(), menu + QStringList{run2}), qPrintable(menu.join('/')));
      QVERIFY2(!isShown(window(), menu + QStringList{"Нитка 1"}), qPrintable(menu.join('/')));
    }
    QVERIFY(isShown(window(), {"Параметры", "Константы параметров газа", "Нитка 1"}));
    QVERIFY(!isShown(window(), {"Данные", "Данные влагомера"}));
    QVERIFY(!isShown(window(), {"Параметры", "Параметры связи", "С влагомером"}));
    QVERIFY(isShown(window(), {"Параметры", "Параметры вычислителей"}));
    QVERIFY(!isShown(window(), {"Данные", " Серийный номер хроматографа"}));
    QVERIFY(isShown(window(), {"Параметры", "Параметры связи", "C хроматографом"}));
  }

  void escapeStopsOnlyAnArchiveRead() {
    window().show();
    zvc::ConnectionState& state = window().connectionState();
    QTest::keyClick(&window(), Qt::Key_Escape);
    QVERIFY(!state.stopRequested);
    state.archiveReadInProgress = true;
    QTest::keyClick(&window(), Qt::Key_Escape);
    QVERIFY(state.stopRequested);
  }

  // While a read shows its progress window the main window takes no keys; Escape reaches the
  // read from the progress window.
  void escapeInTheProgressWindowStopsTheRead() {
    window().show();
    zvc::ConnectionState& state = window().connectionState();
    state.archiveReadInProgress = true;
    window().frontend().progressBegin(1, 10);
    QVERIFY(!window().isEnabled());
    QTest::keyClick(window().frontend().progressWindow(), Qt::Key_Escape);
    QVERIFY(state.stopRequested);
    window().frontend().progressEnd();
    QVERIFY(window().isEnabled());
  }

  void statusBarsAndTheMessageTimer() {
    window().show();
    const auto* panels = window().statusBar();
    QCOMPARE(panels->findChild<QLabel*>("panel0")->width(), 175);
    QCOMPARE(panels->findChild<QLabel*>("panel1")->width(), 250);
    QCOMPARE(panels->findChild<QLabel*>("panel3")->width(), 50);
    for (const char* bar : {"StatusBar2", "StatusBar3"}) {
      QVERIFY2(!window().findChild<QStatusBar*>(bar)->isVisible(), bar);
    }
    QCOMPARE(window().findChild<QLabel*>("subscriberPanel")->width(), 400);

    auto* timer = window().findChild<QTimer*>("TimerMessage");
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isSingleShot());
    timer->setInterval(10);
    window().frontend().setStatus(2, "Команда 1.  Устройство не отвечает");
    window().frontend().startMessageTimer();
    QTRY_COMPARE(panels->findChild<QLabel*>("panel2")->text(), QString());
  }

  // A long text never widens the window; the panels keep their size and cut the text.
  void longStatusTextsAreCutNotWidening() {
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    const int width = window().width();
    const std::string longText = "Команда 7.  " + std::string(300, 'W');
    for (int panel : {0, 1, 2, 3, zvc::kStatusBar2}) window().frontend().setStatus(panel, longText);
    QApplication::processEvents();
    QCOMPARE(window().width(), width);
    QVERIFY(window().minimumSizeHint().width() <= width);
    auto* outcome = window().statusBar()->findChild<zvc::StatusPanel*>("panel2");
    QCOMPARE(outcome->text(), QString::fromStdString(longText));
    QVERIFY(outcome->shownText().endsWith(QChar(0x2026)));
    // Side by side, each at its own width.
    const QRect panel0 = window().statusBar()->findChild<QLabel*>("panel0")->geometry();
    const QRect panel1 = window().statusBar()->findChild<QLabel*>("panel1")->geometry();
    QCOMPARE(panel1.width(), 250);
    QVERIFY(panel1.left() > panel0.right());
    QVERIFY(outcome->geometry().left() > panel1.right());

    window().frontend().setStatus(2, "");
    QApplication::processEvents();
    QCOMPARE(window().width(), width);
  }

  void callDurationIsHoursMinutesSecondsOfTheDay() {
    QCOMPARE(TFormMain::callDurationText(0), QString("00:00:00"));
    QCOMPARE(TFormMain::callDurationText(1), QString("00:00:01"));
    QCOMPARE(TFormMain::callDurationText(3600), QString("01:00:00"));
    QCOMPARE(TFormMain::callDurationText(23 * 3600 + 59 * 60 + 59), QString("23:59:59"));
    QCOMPARE(TFormMain::callDurationText(24 * 3600 + 61), QString("00:01:01"));
  }

  void telephonePanelShowsTheCallUntilDisconnected() {
    window().show();
    static_cast<zvc::ConnectionHost&>(window()).callEstablished();
    QWidget* panel = window().findChild<QWidget*>("PanelFon");
    QVERIFY(panel->isVisible());
    QCOMPARE(window().findChild<QLineEdit*>("EditMoney")->text(), QString("00:00:00"));
    QVERIFY(window().findChild<QTimer*>("TimerMoney")->isActive());
    zvc::test::click(*panel, "Отключить связь");
    QVERIFY(!panel->isVisible());
    QVERIFY(!window().findChild<QTimer*>("TimerMoney")->isActive());
    QVERIFY(!isShown(window(), {"Параметры"}));  // menus of the disconnected state
  }

  void userIdentificationGoesToTheEngine() {
    zvc::kpsbox& engine = *window().connectionState().engine;
    zvc::test::whenModalOpens<zvc::TFormUser>([](zvc::TFormUser& prompt) {
      zvc::test::type(prompt, "userCode", "12");
      zvc::test::type(prompt, "writePassword", "secret");
      zvc::test::click(prompt, "Принять");
    });
    window().NUserClick();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(engine.userCode.data()), 4),
             QByteArray("12  "));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(engine.writePassword.data()), 12),
             QByteArray("secret      "));

    zvc::test::whenModalOpens<zvc::TFormUser>([](zvc::TFormUser& prompt) {
      zvc::test::type(prompt, "userCode", "99");
      zvc::test::click(prompt, "Выход");
    });
    window().NUserClick();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(engine.userCode.data()), 4),
             QByteArray("12  "));
  }

  // The box names the version the build was made as, the one --version prints.
  void aboutBoxOpensFromTheMenu() {
    QString caption;
    QStringList lines;
    zvc::test::whenModalOpens<zvc::TFormAbout>([&](zvc::TFormAbout& about) {
      caption = about.windowTitle();
      for (const QLabel* label : about.findChildren<QLabel*>()) lines << label->text();
      zvc::test::click(about, "OK");
    });
    zvc::test::menuItem(window(), {"Версия", "О программе"})->trigger();
    QCOMPARE(caption, QString("О программе"));
    QVERIFY2(lines.contains(QString("Версия ") + zvc::kProgramVersion),
             qPrintable(lines.join('|')));
  }
};

QTEST_MAIN(TFormMainTest)
#include "tformmain_test.moc"
