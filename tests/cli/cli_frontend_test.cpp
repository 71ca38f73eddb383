#include "cli/cli_frontend.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdlib>
#include <string>

#include "core/tables/table_service.h"

namespace zvc::cli {
namespace {

// stderr of the tool, kept in memory.
class CapturedErrors {
 public:
  CapturedErrors() : stream_(open_memstream(&buffer_, &size_)) {}
  ~CapturedErrors() {
    std::fclose(stream_);
    std::free(buffer_);
  }
  std::FILE* stream() { return stream_; }
  std::string text() {
    std::fflush(stream_);
    return std::string(buffer_, size_);
  }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

TEST(CliFrontend, MessagesAreOneLineEachOnStderr) {
  CapturedErrors captured;
  TextOutput errors(captured.stream(), OutputEncoding::kUtf8);
  CliFrontend frontend(errors, false);
  frontend.showMessage(6, "Данные сохранены в файле a.ala.", "");
  frontend.showMessage(2, "Значение часа начала диапазона", "вне допустимого диапазона");
  frontend.showMessage(1, "", "второй");
  EXPECT_EQ(captured.text(),
            "kind 6: Данные сохранены в файле a.ala.\n"
            "kind 2: Значение часа начала диапазона / вне допустимого диапазона\n"
            "kind 1:  / второй\n");
}

TEST(CliFrontend, QuestionsAreAnsweredNoUnlessYes) {
  CapturedErrors captured;
  TextOutput errors(captured.stream(), OutputEncoding::kUtf8);
  CliFrontend no(errors, false);
  CliFrontend yes(errors, true);
  for (const int kind : {1, 2, 4, 5, 6}) {
    EXPECT_FALSE(no.showMessage(kind, "x", "")) << kind;
    EXPECT_FALSE(yes.showMessage(kind, "x", "")) << kind;
  }
  EXPECT_FALSE(no.showMessage(3, "Файл a.ala уже есть.", ""));
  EXPECT_FALSE(no.showMessage(7, "Не выполнено чтение из таблицы 0.", ""));
  EXPECT_TRUE(yes.showMessage(3, "Файл a.ala уже есть.", ""));
  EXPECT_TRUE(yes.showMessage(3, "Файл a.ala уже есть.", ""));
}

TEST(CliFrontend, YesRepeatsAFailingExchangeOnlyAFewTimes) {
  CapturedErrors captured;
  TextOutput errors(captured.stream(), OutputEncoding::kUtf8);
  CliFrontend frontend(errors, true);
  int repeats = 0;
  while (frontend.showMessage(7, "Не выполнено чтение из таблицы 0.", "") && repeats < 100) {
    ++repeats;
  }
  EXPECT_EQ(repeats, CliFrontend::kMaxRepeats);
  EXPECT_TRUE(frontend.showMessage(3, "still a question", ""));
}

TEST(CliFrontend, KeepsTheOutcomePanelOfAFailedExchange) {
  CapturedErrors captured;
  TextOutput errors(captured.stream(), OutputEncoding::kUtf8);
  CliFrontend frontend(errors, false);
  frontend.setStatus(kResultPanel, "Чтение из таблицы 0 (поля 0-17)");
  frontend.setStatus(3, "Обмен...");
  frontend.setStatus(kResultPanel, "");
  EXPECT_FALSE(frontend.exchangeFailed());

  // The table service shows the error line, asks, then clears the panel.
  frontend.setStatus(kResultPanel, "Команда 1.  Устройство не отвечает");
  frontend.showMessage(7, "Не выполнено чтение из таблицы 0.", "");
  frontend.setStatus(kResultPanel, "");
  EXPECT_TRUE(frontend.exchangeFailed());
  EXPECT_EQ(frontend.failureLine(), "Команда 1.  Устройство не отвечает");

  frontend.clearFailure();
  EXPECT_FALSE(frontend.exchangeFailed());
  EXPECT_EQ(frontend.failureLine(), "");

  // An answer that does not match its request: the panel still shows the progress text, which
  // is no error line.
  frontend.setStatus(kResultPanel, "Чтение из таблицы 6 (поля 0-11)");
  frontend.setStatus(3, "Обмен...");
  frontend.setStatus(3, "");
  frontend.showMessage(7, "Несоответствие запрошенных и переданных данных.", "");
  EXPECT_TRUE(frontend.exchangeFailed());
  EXPECT_EQ(frontend.failureLine(), "");
  frontend.clearFailure();

  // The archive readers leave it for the message timer.
  frontend.setStatus(kResultPanel, "Команда 7.  Ошибка контрольной суммы");
  frontend.startMessageTimer();
  EXPECT_EQ(frontend.failureLine(), "Команда 7.  Ошибка контрольной суммы");
}

TEST(CliFrontend, Cp1251OutputConvertsTheTexts) {
  CapturedErrors captured;
  TextOutput errors(captured.stream(), OutputEncoding::kCp1251);
  CliFrontend frontend(errors, false);
  frontend.showMessage(6, "Да", "");
  EXPECT_EQ(captured.text(), "kind 6: \xC4\xE0\n");
}

}  // namespace
}  // namespace zvc::cli
