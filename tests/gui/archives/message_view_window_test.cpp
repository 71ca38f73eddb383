#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>
#include <memory>
#include <optional>

#include "core/archives/message_view.h"
#include "gui/archives/message_view_model.h"
#include "gui/archives/tformala.h"
#include "gui/archives/tformaud.h"
#include "gui/archives/tformques_prn.h"
#include "gui/dialog_test_helpers.h"
#include "support/message_decoder_support.h"
#include "support/message_view_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::ArchiveFileHeader;
using zvc::ArchiveRecords;
using zvc::DateTime6;
using zvc::MessageFileKind;
using zvc::MessageViewMode;
using zvc::MessageViewRows;
using zvc::MessageViewWindow;

Q_DECLARE_METATYPE(MessageFileKind)
Q_DECLARE_METATYPE(MessageViewMode)

namespace {

constexpr DateTime6 kFirstTime{24, 3, 15, 13, 5, 9};
constexpr std::uint8_t kAddress = 7;
constexpr std::uint32_t kFirstIndex = 41;

QString qt(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A reading of `count` messages a minute apart, the second one unsound when asked for.
ArchiveRecords readingRecords(MessageFileKind kind, int count, bool secondUnsound) {
  std::vector<std::uint8_t> bytes;
  std::size_t size = 0;
  for (int n = 0; n < count; ++n) {
    const DateTime6 time =
        kFirstTime.minute + n < 60
            ? DateTime6{24, 3, 15, 13, std::uint8_t(kFirstTime.minute + n), 9}
            : DateTime6{24, 3, 15, 14, std::uint8_t(kFirstTime.minute + n - 60), 9};
    if (kind == MessageFileKind::kDiagnostic) {
      auto record = n % 2 ? zvc::test::diagnosticRecord(2, 0, 0)
                          : zvc::test::diagnosticRecord(14, 0, 0, zvc::test::bitsOf(12.5f),
                                                        zvc::test::bitsOf(10.0f));
      zvc::test::stamp(record, time);
      if (secondUnsound && n == 1) record[12] ^= 0x01;
      bytes.insert(bytes.end(), record.begin(), record.end());
      size = record.size();
    } else {
      auto record = zvc::test::interventionRecord(9, 5, 0, n % 2);
      zvc::test::stamp(record, time);
      if (secondUnsound && n == 1) record[12] ^= 0x01;
      bytes.insert(bytes.end(), record.begin(), record.end());
      size = record.size();
    }
  }
  return ArchiveRecords(size, std::move(bytes));
}

// Everything a view window is given, and the window itself.
struct View {
  View(MessageFileKind kind, MessageViewMode mode, int count, bool secondUnsound = false)
      : records(readingRecords(kind, count, secondUnsound)) {
    folder.createSubfolders();
    const bool diagnostic = kind == MessageFileKind::kDiagnostic;
    const DateTime6 last = DateTime6::fromBytes(records[records.count() - 1].data());
    header = zvc::test::readingHeader(diagnostic ? "ALA" : "AUD", kFirstTime, last,
                                      std::uint32_t(count));
    header.bytes()[ArchiveFileHeader::kAddressAt] = kAddress;
    zvc::utf8ToField("КС-7 Восток", &header.bytes()[ArchiveFileHeader::kControllerNameAt],
                     ArchiveFileHeader::kNameSize);
    const bool fromFile = mode == zvc::kViewFromFile;
    rows = std::make_unique<MessageViewRows>(kind, header, records, image,
                                             fromFile ? zvc::kViewByIndex : mode, kFirstIndex);
    if (fromFile) {
      fileRows = rows->textRows();
      rows = std::make_unique<MessageViewRows>(kind, header, fileRows);
    }
    if (diagnostic) {
      window = std::make_unique<zvc::TFormAla>(*rows, folder, frontend);
    } else {
      window = std::make_unique<zvc::TFormAud>(*rows, folder, frontend);
    }
  }

  QTableView* grid() const { return window->findChild<QTableView*>(); }
  int rowHeight() const { return grid()->verticalHeader()->defaultSectionSize(); }
  int lastColumnWidth() const { return grid()->columnWidth(7); }
  int columnsWidth() const {
    int sum = 0;
    for (int column = 0; column < 8; ++column) sum += grid()->columnWidth(column);
    return sum;
  }
  // The columns fill the grid with nothing left over, every heading whole.
  bool columnsFitTheGrid() const {
    const QHeaderView* header = grid()->horizontalHeader();
    for (int column = 1; column < 8; ++column) {
      if (grid()->columnWidth(column) < header->sectionSizeHint(column)) return false;
    }
    return columnsWidth() == grid()->viewport()->width();
  }
  QString statusLine() const { return window->findChild<QLabel*>("statusLine")->text(); }

  zvc::test::TempFolder temp;
  zvc::WorkingFolder folder{temp.path()};
  zvc::test::RecordingFrontend frontend;
  zvc::ConfigImage image = zvc::test::stationImage();
  ArchiveRecords records;
  ArchiveRecords fileRows{1};
  ArchiveFileHeader header;
  std::unique_ptr<MessageViewRows> rows;
  std::unique_ptr<MessageViewWindow> window;
};

QString pdfText(const QString& file) {
  QProcess process;
  process.start("pdftotext", {file, "-"});
  if (!process.waitForFinished(60000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

}  // namespace

class MessageViewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void captionTellsWhatWasRead_data() {
    QTest::addColumn<MessageFileKind>("kind");
    QTest::addColumn<MessageViewMode>("mode");
    QTest::addColumn<QString>("caption");
    QTest::newRow("diagnostic by index") << MessageFileKind::kDiagnostic << zvc::kViewByIndex
                                         << "Диагностические сообщения с индексами от 41 до 43";
    QTest::newRow("diagnostic by period")
        << MessageFileKind::kDiagnostic << zvc::kViewByPeriod
        << "Диагностические сообщения за период с 15.03.24 13:05:09 по 15.03.24 13:07:09";
    QTest::newRow("intervention by index")
        << MessageFileKind::kIntervention << zvc::kViewByIndex
        << "Сообщения о вмешательствах оператора с индексами от 41 до 43";
    QTest::newRow("intervention file")
        << MessageFileKind::kIntervention << zvc::kViewFromFile
        << "Сообщения о вмешательствах оператора за период с 15.03.24 13:05:09 по 15.03.24 "
           "13:07:09";
  }
  void captionTellsWhatWasRead() {
    QFETCH(MessageFileKind, kind);
    QFETCH(MessageViewMode, mode);
    QFETCH(QString, caption);
    View view(kind, mode, 3);
    QCOMPARE(view.window->windowTitle(), caption);
    const bool diagnostic = kind == MessageFileKind::kDiagnostic;
    QCOMPARE(qobject_cast<zvc::TFormAla*>(view.window.get()) != nullptr, diagnostic);
    QCOMPARE(qobject_cast<zvc::TFormAud*>(view.window.get()) != nullptr, !diagnostic);
  }

  void gridShowsTheTextsOfTheRows_data() {
    QTest::addColumn<MessageFileKind>("kind");
    QTest::addColumn<MessageViewMode>("mode");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<QList<int>>("widths");
    const QList<int> diagnostic = {4, 72, 73, 268, 382, 85, 85, 85};
    const QList<int> intervention = {4, 78, 80, 310, 110, 109, 68, 65};
    QTest::newRow("diagnostic reading")
        << MessageFileKind::kDiagnostic << zvc::kViewByIndex << 1092 << diagnostic;
    QTest::newRow("diagnostic file")
        << MessageFileKind::kDiagnostic << zvc::kViewFromFile << 1092 << diagnostic;
    QTest::newRow("intervention reading")
        << MessageFileKind::kIntervention << zvc::kViewByPeriod << 854 << intervention;
  }
  void gridShowsTheTextsOfTheRows() {
    QFETCH(MessageFileKind, kind);
    QFETCH(MessageViewMode, mode);
    QFETCH(int, windowWidth);
    QFETCH(QList<int>, widths);
    View view(kind, mode, 5, true);
    const QAbstractItemModel* model = view.grid()->model();
    QVERIFY(qobject_cast<const zvc::MessageViewModel*>(model));
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->columnCount(), 8);
    for (int row = 0; row < 5; ++row) {
      QCOMPARE(model->index(row, 0).data().toString(), QString());
      for (int column = 1; column < 8; ++column) {
        QCOMPARE(model->index(row, column).data().toString(), qt(view.rows->text(row, column)));
      }
    }
    QCOMPARE(model->index(1, 1).data().toString(), QString("   ***"));
    QVERIFY(!model->index(0, 3).data().toString().isEmpty());
    QVERIFY(!view.grid()->horizontalHeader()->isHidden());
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString());
    for (int column = 1; column < 8; ++column) {
      QCOMPARE(model->headerData(column, Qt::Horizontal).toString(),
               qt(view.rows->columnHeading(column)));
    }
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Время"));
    QVERIFY(view.grid()->verticalHeader()->isHidden());
    QCOMPARE(view.window->width(), windowWidth);
    // The designed widths are proportions: the columns share the grid's whole width by them.
    view.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.window.get()));
    QVERIFY(view.columnsFitTheGrid());
    const int widest =
        static_cast<int>(std::max_element(widths.begin(), widths.end()) - widths.begin());
    for (int column = 0; column < 8; ++column) {
      QVERIFY(view.grid()->columnWidth(column) <= view.grid()->columnWidth(widest));
    }
    QVERIFY(view.grid()->columnWidth(widest) > widths[widest]);
  }

  void statusLineWarnsOfAnUnsoundRecord() {
    View unsound(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 3, true);
    QCOMPARE(unsound.statusLine(),
             QString("  ***  Данные в записи недостоверны (не совпадает КС)"));
    View sound(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 3);
    QCOMPARE(sound.statusLine(), QString());
    View intervention(MessageFileKind::kIntervention, zvc::kViewByPeriod, 3, true);
    QCOMPARE(intervention.statusLine(), unsound.statusLine());
  }

  // A saved file too short for a single row still opens, prints and saves.
  void fileWithoutRowsShowsAnEmptyGrid() {
    zvc::test::TempFolder temp;
    const zvc::WorkingFolder folder(temp.path());
    zvc::test::RecordingFrontend frontend;
    const ArchiveFileHeader header = zvc::test::readingHeader("ALA", kFirstTime, kFirstTime, 0);
    const ArchiveRecords none(zvc::DiagnosticTextRow::kSize);
    const MessageViewRows rows(MessageFileKind::kDiagnostic, header, none);
    zvc::TFormAla window(rows, folder, frontend);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* grid = window.findChild<QTableView*>();
    QCOMPARE(grid->model()->rowCount(), 0);
    QVERIFY(!grid->selectionModel()->hasSelection());

    window.askSaveFileName = [&](const std::filesystem::path&) {
      return std::optional(temp.file("empty.ala"));
    };
    zvc::test::click(window, "Сохранить в файле");
    QCOMPARE(std::filesystem::file_size(temp.file("empty.ala")), ArchiveFileHeader::kSize);
  }

  void lastRowIsSelectedAndShownAndExitHasTheFocus() {
    View view(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 100);
    view.window->show();
    QVERIFY(QTest::qWaitForWindowActive(view.window.get()));
    const QModelIndexList selected = view.grid()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 99);
    QCOMPARE(view.grid()->selectionBehavior(), QAbstractItemView::SelectRows);
    const QRect lastRow = view.grid()->visualRect(view.grid()->model()->index(99, 1));
    QVERIFY(view.grid()->viewport()->rect().contains(lastRow));
    QCOMPARE(QApplication::focusWidget(), zvc::test::buttonOf(*view.window, "Выход"));
  }

  void fewRowsAreAllShownWithoutScrollBarRoom() {
    View view(MessageFileKind::kIntervention, zvc::kViewByIndex, 3);
    view.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.window.get()));
    QCOMPARE(view.grid()->viewport()->height(), 3 * view.rowHeight());
    QVERIFY(view.columnsFitTheGrid());
    QVERIFY(!view.grid()->verticalScrollBar()->isVisible());
    QVERIFY(!view.grid()->horizontalScrollBar()->isVisible());
  }

  void manyRowsStopAboveTheScreenBottomAndLeaveRoomForTheScrollBar() {
    View view(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 300);
    view.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.window.get()));
    const int screenHeight = view.window->screen()->geometry().height();
    QVERIFY(view.window->height() <= screenHeight - 60);
    const int viewport = view.grid()->viewport()->height();
    QCOMPARE(viewport % view.rowHeight(), 0);
    QVERIFY(viewport / view.rowHeight() < 300);
    QVERIFY(view.grid()->verticalScrollBar()->isVisible());
    QVERIFY(!view.grid()->horizontalScrollBar()->isVisible());
    QVERIFY(view.columnsFitTheGrid());
    const int besideScrollBar = view.columnsWidth();

    // Tall enough for every row: the columns take the scroll bar's room, and give it back.
    const int shortHeight = view.window->height();
    view.window->resize(view.window->width(), shortHeight + 300 * view.rowHeight() - viewport);
    QTRY_VERIFY(!view.grid()->verticalScrollBar()->isVisible());
    QTRY_VERIFY(view.columnsFitTheGrid());
    QVERIFY(view.columnsWidth() > besideScrollBar);
    view.window->resize(view.window->width(), shortHeight);
    QTRY_VERIFY(view.grid()->verticalScrollBar()->isVisible());
    QTRY_COMPARE(view.columnsWidth(), besideScrollBar);
    QVERIFY(!view.grid()->horizontalScrollBar()->isVisible());
  }

  void savedFileReopensWithTheSameTexts_data() {
    QTest::addColumn<MessageFileKind>("kind");
    QTest::addColumn<QString>("proposedPattern");
    QTest::addColumn<QString>("savedName");
    QTest::newRow("diagnostic") << MessageFileKind::kDiagnostic
                                << "ALAFILES/zvc07_015_%02d%02d%02d.ala"
                                << "saved.ala";
    QTest::newRow("intervention") << MessageFileKind::kIntervention
                                  << "AUDFILES/zvc15_007_%02d%02d%02d.aud"
                                  << "saved.aud";
  }
  void savedFileReopensWithTheSameTexts() {
    QFETCH(MessageFileKind, kind);
    QFETCH(QString, proposedPattern);
    QFETCH(QString, savedName);
    View view(kind, zvc::kViewByIndex, 4, true);
    std::optional<std::filesystem::path> proposed;
    view.window->askSaveFileName = [&](const std::filesystem::path& start) {
      proposed = start;
      return std::optional(view.temp.file("saved"));  // no extension
    };
    const DateTime6 today = zvc::localNow();
    zvc::test::click(*view.window, "Сохранить в файле");

    QVERIFY(proposed);
    const std::string expected =
        QString::asprintf(proposedPattern.toUtf8().constData(), today.year, today.month, today.day)
            .toStdString();
    QCOMPARE(proposed->lexically_relative(view.temp.path()).generic_string(), expected);
    QCOMPARE(view.frontend.messages.size(), std::size_t(1));
    QCOMPARE(view.frontend.messages[0].kind, 6);
    QCOMPARE(qt(view.frontend.messages[0].line1),
             QString("Данные сохранены в файле %1.").arg(savedName));

    zvc::test::RecordingFrontend frontend;
    const auto saved =
        zvc::openMessageFile(kind, view.temp.file(savedName.toStdString()), frontend);
    QVERIFY(saved);
    QCOMPARE(saved->header.recordCount(), 4u);
    const MessageViewRows reopened(kind, saved->header, saved->rows);
    QCOMPARE(reopened.rowCount(), 4);
    for (int row : {0, 2, 3}) {
      for (int column = 1; column < 8; ++column) {
        QCOMPARE(qt(reopened.text(row, column)), qt(view.rows->text(row, column)));
      }
    }
    QCOMPARE(qt(reopened.text(1, 1)),
             kind == MessageFileKind::kDiagnostic ? QString("   ***") : qt(view.rows->text(1, 1)));
  }

  void saveDialogStartsAtTheProposedFile() {
    View view(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 2);
    const DateTime6 today = zvc::localNow();
    bool opened = false;
    zvc::test::whenModalOpens<QFileDialog>([&](QFileDialog& dialog) {
      opened = true;
      QCOMPARE(dialog.windowTitle(), QString("Введите имя файла для сохранения данных"));
      QCOMPARE(dialog.nameFilters(), QStringList{"DataFiles (*.ala)"});
      QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
      QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
      const auto proposed =
          zvc::proposedMessageFileName(MessageFileKind::kDiagnostic, view.folder, kAddress, today);
      QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).absoluteFilePath(),
               QFileInfo(QString::fromStdString(proposed.string())).absoluteFilePath());
      dialog.reject();
    });
    zvc::test::click(*view.window, "Сохранить в файле");
    QVERIFY(opened);
    QVERIFY(view.frontend.messages.empty());
  }

  void printSendsTheGridToTheReport() {
    View view(MessageFileKind::kIntervention, zvc::kViewByIndex, 3);
    const QString pdf = QString::fromStdString(view.temp.file("report.pdf").string());
    view.window->reportOutput = {QPrinterInfo(), [&](QWidget*) { return pdf; }, false};
    zvc::test::whenModalOpens<zvc::TFormQues_Prn>([](zvc::TFormQues_Prn& question) {
      zvc::test::setField(question, "organisation", "ООО Газтранзит");
      zvc::test::click(question, "Печатать");
    });
    zvc::test::click(*view.window, "Печать");

    QVERIFY(QFileInfo::exists(pdf));
    const QString text = pdfText(pdf);
    for (const QString& expected :
         {QString("ООО Газтранзит"), QString("Перечень сообщений о вмешательствах оператора"),
          QString("Контроллер \"КС-7 Восток\" (адрес 7)"), qt(view.rows->text(2, 3))}) {
      QVERIFY2(text.contains(expected), qPrintable(expected));
    }
    QVERIFY(view.frontend.messages.empty());
    QVERIFY(std::filesystem::exists(zvc::organisationTitleFile(view.folder)));
  }

  void cancelledPrintQuestionPrintsNothing() {
    View view(MessageFileKind::kDiagnostic, zvc::kViewByIndex, 3);
    bool asked = false;
    view.window->reportOutput = {QPrinterInfo(), [&](QWidget*) {
                                   asked = true;
                                   return QString();
                                 }, false};
    zvc::test::whenModalOpens<zvc::TFormQues_Prn>([](zvc::TFormQues_Prn& question) {
      QCOMPARE(question.windowTitle(), QString(" Данные для печати"));
      zvc::test::click(question, "Отменить");
    });
    zvc::test::click(*view.window, "Печать");
    QVERIFY(!asked);
    QVERIFY(view.frontend.messages.empty());
  }
};

QTEST_MAIN(MessageViewWindowTest)
#include "message_view_window_test.moc"
