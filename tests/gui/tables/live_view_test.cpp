// The live views' polling: the toggle, polls that never overlap, a button's exchanges held until
// a poll ends, and a view closed in the middle of a poll.

#include "gui/tables/live_view.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "support/recording_frontend.h"

using namespace zvc;

namespace {

constexpr std::chrono::milliseconds kInterval{30};

// A view whose poll is the test's: it counts, and may act while "its exchanges run".
class CountingView : public LiveView {
 public:
  explicit CountingView(TableService& tables) : LiveView(tables, kInterval, nullptr) {
    auto* layout = new QVBoxLayout(this);
    addButtonRow(layout);
  }
  int polls = 0;
  int overlapping = 0;
  std::function<void()> duringPoll;

 protected:
  void poll() override {
    ++polls;
    if (inPoll_) ++overlapping;
    inPoll_ = true;
    if (duringPoll) std::exchange(duringPoll, nullptr)();
    // The engine lets the message loop run while it waits for an answer.
    QTest::qWait(2 * kInterval.count());
    inPoll_ = false;
  }

 private:
  bool inPoll_ = false;
};

QPushButton* toggle(const QWidget& view) {
  return view.findChild<QPushButton*>("toggle");
}

}  // namespace

class LiveViewTest : public QObject {
  Q_OBJECT

  kpsbox engine{0};
  ConnectionState connection{.engine = &engine};
  ConfigImage image;
  LinkSettings settings;
  test::RecordingFrontend frontend;
  TableService service{connection, image, settings, frontend};

 private slots:
  void theTogglePausesAndResumesPolling() {
    CountingView view(service);
    view.show();
    QTRY_COMPARE(view.polls, 1);  // at once on show
    QCOMPARE(toggle(view)->text(), QString("Не обновлять данные"));
    QTRY_VERIFY(view.polls >= 2);

    toggle(view)->click();
    QCOMPARE(toggle(view)->text(), QString("Обновлять данные"));
    const int stoppedAt = view.polls;
    QTest::qWait(5 * kInterval.count());
    QCOMPARE(view.polls, stoppedAt);

    toggle(view)->click();
    QCOMPARE(toggle(view)->text(), QString("Не обновлять данные"));
    QTRY_VERIFY(view.polls > stoppedAt);
    QCOMPARE(view.overlapping, 0);
  }

  void aButtonsExchangesWaitForThePollInProgress() {
    CountingView view(service);
    bool ranInsidePoll = false;
    bool ran = false;
    view.duringPoll = [&] {
      view.poller().runBetweenPolls([&] {
        ranInsidePoll = view.poller().inPoll();
        ran = true;
      });
      QVERIFY(!ran);
    };
    view.show();
    QTRY_VERIFY(ran);
    QVERIFY(!ranInsidePoll);
    QVERIFY(view.poller().polling());  // resumed afterwards
    QTRY_VERIFY(view.polls >= 2);
  }

  void closingInTheMiddleOfAPollEndsCleanly() {
    CountingView view(service);
    view.duringPoll = [&] { view.reject(); };
    const int result = view.exec();
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(view.polls, 1);
    QVERIFY(!view.poller().polling());
    QTest::qWait(5 * kInterval.count());
    QCOMPARE(view.polls, 1);  // nothing polled after the close
    view.poller().setPolling(true);
    QTest::qWait(3 * kInterval.count());
    QCOMPARE(view.polls, 1);  // a closed view stays stopped
  }
};

QTEST_MAIN(LiveViewTest)
#include "live_view_test.moc"
