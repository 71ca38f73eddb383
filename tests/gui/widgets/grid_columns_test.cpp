#include "gui/widgets/grid_columns.h"

#include <QtTest>
#include <vector>

Q_DECLARE_METATYPE(std::vector<int>)

class GridColumnsTest : public QObject {
  Q_OBJECT

 private slots:
  void widthsFillTheTotalByTheDesignedProportions_data() {
    QTest::addColumn<std::vector<int>>("designed");
    QTest::addColumn<std::vector<int>>("minimums");
    QTest::addColumn<int>("total");
    QTest::addColumn<std::vector<int>>("expected");
    QTest::newRow("twice the designed width")
        << std::vector<int>{4, 72, 73} << std::vector<int>{1, 1, 1} << 298
        << std::vector<int>{8, 144, 146};
    QTest::newRow("rounding goes to the last column")
        << std::vector<int>{1, 1, 1} << std::vector<int>{0, 0, 0} << 10
        << std::vector<int>{3, 3, 4};
    QTest::newRow("a heading wider than its share keeps its width, the others share the rest")
        << std::vector<int>{100, 65, 100} << std::vector<int>{1, 90, 1} << 270
        << std::vector<int>{90, 90, 90};
    QTest::newRow("the last column at its minimum: the one before takes the rounding")
        << std::vector<int>{1, 1, 1} << std::vector<int>{0, 0, 6} << 11
        << std::vector<int>{2, 3, 6};
    QTest::newRow("minimums beyond the total: the minimums")
        << std::vector<int>{10, 10} << std::vector<int>{15, 15} << 20 << std::vector<int>{15, 15};
    QTest::newRow("nothing to share")
        << std::vector<int>{0, 0} << std::vector<int>{3, 4} << 20 << std::vector<int>{3, 4};
  }
  void widthsFillTheTotalByTheDesignedProportions() {
    QFETCH(std::vector<int>, designed);
    QFETCH(std::vector<int>, minimums);
    QFETCH(int, total);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(zvc::fittedColumnWidths(designed, minimums, total), expected);
  }
};

QTEST_MAIN(GridColumnsTest)
#include "grid_columns_test.moc"
