#include "gui/widgets/grid_columns.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <climits>
#include <numeric>

namespace zvc {
namespace {

// A window with a grid of rows is never taller than the screen less this, its title bar included.
constexpr int kScreenMargin = 60;

// Refits the columns whenever the grid's viewport changes its size.
class ColumnFitter : public QObject {
 public:
  ColumnFitter(QTableView* grid, std::vector<int> designed)
      : QObject(grid), grid_(grid), designed_(std::move(designed)) {
    grid_->viewport()->installEventFilter(this);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    fit();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == grid_->viewport() && event->type() == QEvent::Resize) fit();
    return false;
  }

 private:
  void fit() {
    const QHeaderView* header = grid_->horizontalHeader();
    std::vector<int> minimums(designed_.size(), 1);
    for (std::size_t column = 0; column < designed_.size(); ++column) {
      const int section = static_cast<int>(column);
      if (!grid_->model()->headerData(section, Qt::Horizontal).toString().isEmpty()) {
        minimums[column] = header->sectionSizeHint(section);
      }
    }
    const std::vector<int> widths =
        fittedColumnWidths(designed_, minimums, grid_->viewport()->width());
    for (std::size_t column = 0; column < widths.size(); ++column) {
      grid_->setColumnWidth(static_cast<int>(column), widths[column]);
    }
  }

  QTableView* grid_;
  std::vector<int> designed_;
};

}  // namespace

std::vector<int> fittedColumnWidths(std::span<const int> designed, std::span<const int> minimums,
                                    int total) {
  const std::size_t count = std::min(designed.size(), minimums.size());
  const std::vector<int> least(minimums.begin(), minimums.begin() + static_cast<long>(count));
  std::vector<bool> atMinimum(count, false);
  std::vector<int> widths = least;
  // A column that its share would make narrower than its minimum keeps the minimum; the others
  // share what is left, until no share falls short.
  for (bool changed = true; changed;) {
    changed = false;
    long long room = total;
    long long shares = 0;
    for (std::size_t c = 0; c < count; ++c) {
      if (atMinimum[c]) {
        room -= minimums[c];
      } else {
        shares += std::max(designed[c], 0);
      }
    }
    if (room <= 0 || shares == 0) return least;
    for (std::size_t c = 0; c < count; ++c) {
      if (atMinimum[c]) continue;
      widths[c] = static_cast<int>(room * std::max(designed[c], 0) / shares);
      if (widths[c] < minimums[c]) {
        atMinimum[c] = changed = true;
        widths[c] = minimums[c];
      }
    }
  }
  const int used = std::accumulate(widths.begin(), widths.end(), 0);
  for (std::size_t c = count; c-- > 0;) {
    if (!atMinimum[c]) {
      widths[c] += total - used;
      break;
    }
  }
  return widths;
}

void fitColumnsToGrid(QTableView* grid, std::vector<int> designed) {
  new ColumnFitter(grid, std::move(designed));
}

void useRecordRows(QTableView* grid) {
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setWordWrap(false);
}

void useSingleLineRows(QTableView* grid) {
  const int rowHeight = grid->fontMetrics().height() + 4;
  QHeaderView* rowHeader = grid->verticalHeader();
  rowHeader->setMinimumSectionSize(1);
  rowHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowHeader->setDefaultSectionSize(rowHeight);
  grid->setMinimumHeight(rowHeight + 2 * grid->frameWidth());
}

void fitWindowToRows(QWidget* window, QTableView* grid, int width, int rows) {
  window->resize(width, 400);
  if (window->layout()) window->layout()->activate();
  const int rowHeight = std::max(1, grid->verticalHeader()->defaultSectionSize());
  const int headings = grid->horizontalHeader()->sizeHint().height();
  // Window height that is not the grid's rows.
  const int chrome = window->height() - (grid->height() - 2 * grid->frameWidth() - headings);

  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  const int highest = screen ? screen->geometry().height() - kScreenMargin - titleBar : INT_MAX;
  const int fitting = std::max(1, (highest - chrome) / rowHeight);
  window->resize(width, chrome + std::clamp(rows, 1, fitting) * rowHeight);
}

}  // namespace zvc
