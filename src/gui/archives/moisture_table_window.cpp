#include "gui/archives/moisture_table_window.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/archives/moisture_files.h"
#include "core/archives/print_question.h"
#include "core/common/calendar.h"
#include "gui/archives/tformprnhdm_wmt.h"
#include "gui/archives/tformques_prn.h"
#include "gui/archives/trend_chart_window.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"
#include "gui/widgets/grid_columns.h"
#include "gui/widgets/text_grid_model.h"

namespace zvc {
namespace {

// Room a cell leaves around its text.
constexpr int kCellPadding = 10;

// Each column's widest text in the grid's font, so that the columns share the window's width in
// the proportions of what they hold.
std::vector<int> widestTexts(const MoistureTable& table, const QFontMetrics& metrics) {
  std::vector<int> widths(MoistureTable::kColumns, 1);
  const auto widen = [&](std::size_t column, const std::string& text) {
    widths[column] = std::max(
        widths[column], metrics.horizontalAdvance(QString::fromStdString(text)) + kCellPadding);
  };
  for (const auto& row : table.rows) {
    for (std::size_t column = 0; column < row.size(); ++column) widen(column, row[column]);
  }
  for (const auto& line : table.columnCaptions) {
    for (std::size_t column = 0; column < line.size(); ++column) widen(column, line[column]);
  }
  return widths;
}

}  // namespace

MoistureTableWindow::MoistureTableWindow(MoistureArchive archive, const ArchiveFileHeader& header,
                                         const ArchiveRecords& records, const WorkingFolder& folder,
                                         Frontend& frontend, QWidget* parent)
    : QDialog(parent),
      archive_(archive),
      header_(header),
      records_(records),
      folder_(folder),
      frontend_(frontend),
      table_(buildMoistureTable(archive, header, records)),
      model_(new TextGridModel(
          stackedHeadings(table_.columnCaptions, MoistureTable::kColumns), table_.rows.size(),
          [this](std::size_t row, std::size_t column) -> std::string_view {
            return table_.rows[row][column];
          },
          this)) {
  setWindowTitle(QString::fromStdString(table_.caption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  askSaveFileName = saveFileNameDialog(this, QString::fromUtf8(kSaveDialogTitle),
                                       moistureFileFormat(archive).saveFilter);
  grid_ = makeGrid();

  auto* print = new QPushButton("Печать", this);
  auto* chart = new QPushButton("График", this);
  auto* save = new QPushButton("Сохранить в файле", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(print, &QPushButton::clicked, this, &MoistureTableWindow::PrintClick);
  connect(chart, &QPushButton::clicked, this, &MoistureTableWindow::ChartClick);
  connect(save, &QPushButton::clicked, this, &MoistureTableWindow::SaveClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(grid_, 1);
  layout->addLayout(centredButtonRow({print, chart, save, exitButton}));

  fitWindowToRows(this, grid_, kWidth, model_->rowCount());
  if (model_->rowCount() > 0) grid_->selectRow(0);
  grid_->setFocus();
}

QTableView* MoistureTableWindow::makeGrid() {
  auto* grid = new QTableView(this);
  grid->setModel(model_);
  useRecordRows(grid);
  fitColumnsToGrid(grid, widestTexts(table_, grid->fontMetrics()));
  useSingleLineRows(grid);
  return grid;
}

void MoistureTableWindow::PrintClick() {
  TFormQues_Prn question(moisturePrintQuestionType(archive_), header_, folder_, this);
  if (question.exec() != QDialog::Accepted) return;
  TFormPrnHDM_Wmt(table_, header_, question.organisation()).print(this, frontend_, reportOutput);
}

void MoistureTableWindow::ChartClick() {
  auto proposed = proposedMoistureFileName(archive_, folder_, header_, localNow());
  TrendChartWindow(chartSource(table_), std::nullopt, proposed.replace_extension(".png"),
                   frontend_, this)
      .exec();
}

void MoistureTableWindow::SaveClick() {
  saveMoistureFile(archive_, folder_, header_, records_, localNow(), askSaveFileName, frontend_);
}

}  // namespace zvc
