#include "gui/archives/message_view_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/archives/message_view.h"
#include "core/archives/print_question.h"
#include "core/common/calendar.h"
#include "gui/archives/message_view_model.h"
#include "gui/archives/tformprnarhiv.h"
#include "gui/archives/tformques_prn.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"
#include "gui/widgets/grid_columns.h"

namespace zvc {

MessageViewWindow::MessageViewWindow(const MessageViewRows& rows, const WorkingFolder& folder,
                                     Frontend& frontend, QWidget* parent)
    : QDialog(parent),
      rows_(rows),
      folder_(folder),
      frontend_(frontend),
      model_(new MessageViewModel(rows, this)) {
  setWindowTitle(QString::fromUtf8(rows.caption()));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  askSaveFileName = saveFileNameDialog(this, QString::fromUtf8(kSaveDialogTitle),
                                       messageFileFormat(rows.kind()).saveFilter);
  grid_ = makeGrid();

  auto* save = new QPushButton("Сохранить в файле", this);
  auto* print = new QPushButton("Печать", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(save, &QPushButton::clicked, this, &MessageViewWindow::SaveClick);
  connect(print, &QPushButton::clicked, this, &MessageViewWindow::PrintClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->addWidget(grid_, 1);
  layout->addLayout(centredButtonRow({save, print, exitButton}));
  layout->addWidget(makeStatusLine());

  fitWindowToRows(this, grid_, rows_.windowWidth(), rows_.rowCount());
  if (rows.rowCount() > 0) grid_->selectRow(rows.rowCount() - 1);
  exitButton->setFocus();
}

QTableView* MessageViewWindow::makeGrid() {
  auto* grid = new QTableView(this);
  grid->setModel(model_);
  useRecordRows(grid);
  grid->setTabKeyNavigation(false);
  const auto widths = rows_.columnWidths();
  fitColumnsToGrid(grid, std::vector<int>(widths.begin(), widths.end()));
  useSingleLineRows(grid);
  return grid;
}

QLabel* MessageViewWindow::makeStatusLine() {
  auto* status = new QLabel(QString::fromUtf8(rows_.statusLine()), this);
  status->setObjectName("statusLine");
  status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status->setMinimumHeight(status->fontMetrics().height() + 4);
  status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  return status;
}

void MessageViewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  grid_->scrollToBottom();
}

void MessageViewWindow::SaveClick() {
  saveMessageFile(rows_.kind(), folder_, rows_.header(), rows_.textRows(), localNow(),
                  askSaveFileName, frontend_);
}

void MessageViewWindow::PrintClick() {
  const bool diagnostic = rows_.kind() == MessageFileKind::kDiagnostic;
  TFormQues_Prn question(
      diagnostic ? PrintQuestionType::kDiagnostic : PrintQuestionType::kIntervention,
      rows_.header(), folder_, this);
  if (question.exec() != QDialog::Accepted) return;

  const TFormPrnArhiv report(
      diagnostic ? MessageReportKind::kDiagnostic : MessageReportKind::kIntervention,
      rows_.header(), gridTexts(), question.organisation());
  report.print(this, frontend_, reportOutput);
}

std::vector<MessageReportRow> MessageViewWindow::gridTexts() const {
  std::vector<MessageReportRow> texts(static_cast<std::size_t>(model_->rowCount()));
  for (int row = 0; row < model_->rowCount(); ++row) {
    for (int column = 1; column < MessageViewModel::kColumns; ++column) {
      texts[static_cast<std::size_t>(row)][column - 1] =
          model_->index(row, column).data().toString();
    }
  }
  return texts;
}

}  // namespace zvc
