#include "gui/archives/chrom_table_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/archives/chrom_files.h"
#include "core/archives/spreadsheet_export.h"
#include "gui/archives/tformchromerror.h"
#include "gui/archives/trend_chart_window.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"
#include "gui/widgets/frozen_columns_view.h"
#include "gui/widgets/grid_columns.h"
#include "gui/widgets/text_grid_model.h"

namespace zvc {
namespace {

// A table window stays this much narrower and lower than the screen.
constexpr int kScreenWidthMargin = 10;
constexpr int kScreenHeightMargin = 50;
constexpr std::string_view kXlsxFilter = "DataFiles (*.xlsx)|*.xlsx";

// Date and time, or date, start and end, stay in sight.
int fixedColumns(ChromArchive archive) {
  return archive == ChromArchive::kMeasurement ? 2 : 3;
}

}  // namespace

ChromTableWindow::ChromTableWindow(ChromArchive archive, const ArchiveFileHeader& header,
                                   const ArchiveRecords& records, const WorkingFolder& folder,
                                   Frontend& frontend, QWidget* parent)
    : QDialog(parent),
      archive_(archive),
      header_(header),
      records_(records),
      folder_(folder),
      frontend_(frontend),
      table_(buildChromTable(archive, header, records)),
      model_(new TextGridModel(
          stackedHeadings(table_.headings, static_cast<std::size_t>(table_.columnCount())),
          table_.rows.size(),
          [this](std::size_t row, std::size_t column) -> std::string_view {
            return table_.rows[row][column];
          },
          this)) {
  setWindowTitle(QString::fromStdString(table_.caption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  const QString title = QString::fromUtf8(kSaveDialogTitle);
  askSaveFileName = saveFileNameDialog(this, title, chromFileFormat(archive).saveFilter);
  askXlsxFileName = saveFileNameDialog(this, title, kXlsxFilter);

  grid_ = new FrozenColumnsView(model_, fixedColumns(archive), this);
  useRecordRows(grid_);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
  grid_->fitColumnsToContents();
  for (QTableView* part : {static_cast<QTableView*>(grid_), grid_->frozenPart()}) {
    connect(part, &QTableView::doubleClicked, this, &ChromTableWindow::StatusClick);
  }

  auto* status = new QPushButton("Признаки состояния", this);
  auto* chart = new QPushButton("График", this);
  auto* excel = new QPushButton("Сохранить в формате Excel", this);
  auto* save = new QPushButton("Сохранить в файле", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(status, &QPushButton::clicked, this, &ChromTableWindow::StatusClick);
  connect(chart, &QPushButton::clicked, this, &ChromTableWindow::ChartClick);
  connect(excel, &QPushButton::clicked, this, &ChromTableWindow::BitBtn5Click);
  connect(save, &QPushButton::clicked, this, &ChromTableWindow::SaveClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(grid_, 1);
  if (archive == ChromArchive::kMeasurement) {
    auto* legend = new QLabel(QString::fromUtf8(kChromLegend), this);
    legend->setObjectName("legend");
    layout->addWidget(legend);
  }
  layout->addLayout(centredButtonRow({status, chart, excel, save, exitButton}));

  fitToScreen();
  if (model_->rowCount() > 0) grid_->selectRow(0);
  grid_->setFocus();
}

// As large as the grid needs, but never beyond the screen.
void ChromTableWindow::fitToScreen() {
  layout()->activate();
  const QMargins margins = layout()->contentsMargins();
  const QSize grid = grid_->fullSize();
  // The rows below the grid (legend, buttons) and the margins around it.
  const int below = sizeHint().height() - grid_->sizeHint().height();
  const QSize wanted(std::max(grid.width() + margins.left() + margins.right(), sizeHint().width()),
                     grid.height() + below);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    resize(wanted);
    return;
  }
  const QRect available = screen->availableGeometry();
  resize(std::min(wanted.width(), available.width() - kScreenWidthMargin),
         std::min(wanted.height(), available.height() - kScreenHeightMargin));
}

void ChromTableWindow::StatusClick() {
  const QModelIndex current = grid_->currentIndex();
  if (!current.isValid()) return;
  const auto record = records_[static_cast<std::size_t>(current.row())];
  const bool measurement = archive_ == ChromArchive::kMeasurement;
  const StatusFlagsMode mode =
      measurement ? StatusFlagsMode::kMeasurementRecord : StatusFlagsMode::kHourlyOrDailyRecord;
  const std::uint8_t status =
      measurement ? ChromMeasRecord{record}.status() : ChromHourDayRecord{record}.status();
  const std::uint16_t state = measurement ? ChromMeasRecord{record}.stateCode() : 0;
  TFormChromError(mode, status, state, QString::fromStdString(chromStatusTitle(archive_, record)),
                  this)
      .exec();
}

void ChromTableWindow::ChartClick() {
  const auto setpoints = readSetpoints ? readSetpoints() : std::nullopt;
  auto proposed = proposedChromXlsxName(archive_, folder_, header_, localNow());
  TrendChartWindow(chartSource(table_), setpoints, proposed.replace_extension(".png"), frontend_,
                   this)
      .exec();
}

void ChromTableWindow::BitBtn5Click() {
  const auto file =
      chooseSaveFileName(proposedChromXlsxName(archive_, folder_, header_, localNow()), ".xlsx",
                         askXlsxFileName, frontend_);
  if (!file || !exportChromTable(table_, *file, frontend_)) return;
  offerToOpenExport(*file, frontend_, openWithDesktop);
}

void ChromTableWindow::SaveClick() {
  saveChromFile(archive_, folder_, header_, records_, localNow(), askSaveFileName, frontend_);
}

}  // namespace zvc
