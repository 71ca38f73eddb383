#include "gui/archives/trend_chart_window.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/ui/frontend.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/file_dialogs.h"
#include "report/trend_chart.h"

namespace zvc {
namespace {

constexpr std::string_view kPngFilter = "PNG (*.png)|*.png";
constexpr qreal kWheelZoom = 1.25;

// Zooms in and out around the middle with the mouse wheel, into a frame with the rubber band.
class ZoomingChartView : public QChartView {
 public:
  explicit ZoomingChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
  }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    chart()->zoom(steps > 0 ? kWheelZoom : 1 / kWheelZoom);
    event->accept();
  }
};

}  // namespace

TrendChartWindow::TrendChartWindow(ChartSource source, std::optional<WarningSetpoints> setpoints,
                                   std::filesystem::path proposedImage, Frontend& frontend,
                                   QWidget* parent)
    : QDialog(parent),
      source_(std::move(source)),
      setpoints_(std::move(setpoints)),
      proposedImage_(std::move(proposedImage)),
      frontend_(frontend),
      parameters_(new QListWidget(this)),
      view_(new ZoomingChartView(this)) {
  setWindowTitle(QString::fromStdString(source_.caption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  askImageFileName = saveFileNameDialog(this, "Сохранить изображение", kPngFilter);

  parameters_->setObjectName("parameters");
  for (const std::string& name : source_.names) {
    auto* item = new QListWidgetItem(QString::fromStdString(name), parameters_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(parameters_->count() == 1 ? Qt::Checked : Qt::Unchecked);
  }
  parameters_->setMaximumWidth(parameters_->sizeHintForColumn(0) + 40);
  connect(parameters_, &QListWidget::itemChanged, this, &TrendChartWindow::redraw);

  auto* reset = new QPushButton("Исходный масштаб", this);
  auto* save = new QPushButton("Сохранить изображение", this);
  auto* exitButton = new QPushButton("Выход", this);
  connect(reset, &QPushButton::clicked, this, &TrendChartWindow::ResetClick);
  connect(save, &QPushButton::clicked, this, &TrendChartWindow::SaveImageClick);
  connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* body = new QHBoxLayout;
  body->addWidget(parameters_);
  body->addWidget(view_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(body, 1);
  layout->addLayout(centredButtonRow({reset, save, exitButton}));
  resize(1000, 640);
  redraw();
}

std::vector<ChartSeries> TrendChartWindow::chosenSeries() const {
  std::vector<ChartSeries> series;
  for (int row = 0; row < parameters_->count(); ++row) {
    if (parameters_->item(row)->checkState() != Qt::Checked) continue;
    series.push_back(chartSeries(source_, row, setpoints_ ? &*setpoints_ : nullptr));
  }
  return series;
}

void TrendChartWindow::redraw() {
  QChart* old = view_->chart();
  view_->setChart(buildTrendChart(QString(), chosenSeries()));
  delete old;
}

void TrendChartWindow::ResetClick() {
  view_->chart()->zoomReset();
}

void TrendChartWindow::SaveImageClick() {
  const auto file = chooseSaveFileName(proposedImage_, ".png", askImageFileName, frontend_);
  if (!file) return;
  if (!writeChartPng(*view_, QString::fromStdString(file->string()))) {
    frontend_.showMessage(1, "Ошибка открытия файла", "");
  }
}

}  // namespace zvc
