#include "gui/widgets/grid_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <numeric>

namespace zvc {
namespace {

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

}  // namespace zvc
