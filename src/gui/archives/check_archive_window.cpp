#include "gui/archives/check_archive_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/archives/message_files.h"
#include "core/archives/spreadsheet_export.h"
#include "core/common/calendar.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"

namespace zvc {
namespace {

constexpr int kColumnWidth = 83;
constexpr int kRowHeight = 20;
constexpr int kHeadingRows = 2;
constexpr int kScreenWidthMargin = 10;
constexpr int kScreenHeightMargin = 50;
constexpr std::string_view kXlsxFilter = "DataFiles (*.xlsx)|*.xlsx";

QTableWidgetItem* cell(const std::string& text, bool heading) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  if (heading) item->setBackground(QGuiApplication::palette().button());
  return item;
}

}  // namespace

CheckArchiveWindow::CheckArchiveWindow(CheckArchive archive, const CheckReading& reading,
                                       const WorkingFolder& folder, Frontend& frontend,
                                       QWidget* parent)
    : QDialog(parent),
      archive_(archive),
      reading_(reading),
      folder_(folder),
      frontend_(frontend),
      table_(buildCheckTable(archive, reading.header, reading.records)) {
  setWindowTitle(QString::fromStdString(table_.caption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  const CheckArchiveFormat& format = checkArchiveFormat(archive);
  const QString title = QString::fromUtf8(kSaveDialogTitle);
  askSaveFileName = saveFileNameDialog(this, title, format.saveFilter);
  askXlsxFileName = saveFileNameDialog(this, title, kXlsxFilter);
  grid_ = makeGrid();

  auto* excel = new QPushButton("Сохранить в формате Excel", this);
  auto* save = new QPushButton("Сохранить в файле", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(excel, &QPushButton::clicked, this, &CheckArchiveWindow::ExcelClick);
  connect(save, &QPushButton::clicked, this, &CheckArchiveWindow::SaveClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(grid_, 1);
  layout->addLayout(centredButtonRow({excel, save, exitButton}));
  fitToScreen();
  exitButton->setFocus();
}

QTableWidget* CheckArchiveWindow::makeGrid() {
  const int columns = table_.columnCount();
  const int rows = kHeadingRows + static_cast<int>(table_.rows.size());
  auto* grid = new QTableWidget(rows, columns, this);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setWordWrap(false);
  grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid->verticalHeader()->setMinimumSectionSize(1);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid->setMinimumHeight(kRowHeight + 2 * grid->frameWidth());
  for (int row = 0; row < kHeadingRows; ++row) {
    for (int column = 0; column < columns; ++column) {
      grid->setItem(row, column, cell(table_.headings[row][column], true));
    }
  }
  for (std::size_t record = 0; record < table_.rows.size(); ++record) {
    const int row = kHeadingRows + static_cast<int>(record);
    for (int column = 0; column < columns; ++column) {
      grid->setItem(row, column,
                    cell(table_.rows[record][column], column < CheckTable::kFixedColumns));
    }
  }
  return grid;
}

// Wide enough for every column and tall enough for every row, but within the screen less its
// margins, in whole columns and rows.
void CheckArchiveWindow::fitToScreen() {
  resize(400, 300);
  layout()->activate();
  const int chromeWidth = width() - grid_->viewport()->width();
  const int chromeHeight = height() - grid_->viewport()->height();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() : QSize(1280, 1024);
  const int columns = std::clamp((room.width() - kScreenWidthMargin - chromeWidth) / kColumnWidth,
                                 1, grid_->columnCount());
  const int rows = std::clamp((room.height() - kScreenHeightMargin - chromeHeight) / kRowHeight, 1,
                              grid_->rowCount());
  resize(chromeWidth + columns * kColumnWidth, chromeHeight + rows * kRowHeight);
}

void CheckArchiveWindow::ExcelClick() {
  const auto chosen = askXlsxFileName(
      proposedCheckXlsxName(archive_, folder_, reading_.header, localNow()));
  if (!chosen) return;
  // While the sheet is written the view, not the main window, waits.
  setEnabled(false);
  exportCheckTable(table_, withDefaultExtension(*chosen, ".xlsx"), frontend_);
  setEnabled(true);
  raise();
  activateWindow();
}

void CheckArchiveWindow::SaveClick() {
  saveCheckFile(archive_, folder_, reading_.header, reading_.records, localNow(), askSaveFileName,
                frontend_);
}

}  // namespace zvc
