#include "core/archives/archive_dialogs.h"

#include <gtest/gtest.h>

#include "core/app/archive_dialog_settings.h"

namespace zvc {
namespace {

TEST(ArchiveBounds, FromTableFieldsAndEmptiness) {
  const std::uint8_t fields[8] = {0xE8, 0x03, 0, 0, 0x9F, 0x0F, 0, 0};
  const ArchiveBounds bounds = ArchiveBounds::fromFields(fields);
  EXPECT_EQ(bounds.oldest, 1000u);
  EXPECT_EQ(bounds.newest, 3999u);
  EXPECT_FALSE(bounds.empty());
  EXPECT_FALSE((ArchiveBounds{0, 0}.empty())) << "two zeros lead to the dialog";
  EXPECT_TRUE((ArchiveBounds{5, 5}.empty()));
}

TEST(IndexDialog, ChoicesProposeTheirRanges) {
  struct Case {
    int choice;
    ArchiveBounds bounds;
    std::uint32_t first, count;
  };
  const Case cases[] = {
      {0, {1000, 3999}, 1000, 3000},
      {1, {1000, 3999}, 3900, 100},
      {2, {1000, 3999}, 3950, 50},
      {3, {1000, 3999}, 3990, 10},
      {1, {500, 536}, 500, 37},
      {2, {500, 536}, 500, 37},
      {3, {500, 509}, 500, 10},
      {0, {0, 0}, 0, 1},
      {1, {0, 0}, 0, 1},
  };
  for (const Case& c : cases) {
    const IndexProposal proposal = proposeIndexRange(c.choice, c.bounds);
    EXPECT_EQ(proposal.first, c.first) << c.choice << " " << c.bounds.newest;
    EXPECT_EQ(proposal.count, c.count) << c.choice << " " << c.bounds.newest;
    EXPECT_FALSE(proposal.inputsEnabled);
  }
  const IndexProposal custom = proposeIndexRange(4, {1000, 3999});
  EXPECT_FALSE(custom.first);
  EXPECT_FALSE(custom.count);
  EXPECT_TRUE(custom.inputsEnabled);
}

TEST(IndexDialog, NewestRecordsOfAnyCount) {
  const ArchiveBounds bounds{1000, 3999};
  EXPECT_EQ(newestRecords(bounds, 1), (IndexRange{3999, 1}));
  EXPECT_EQ(newestRecords(bounds, 3000), (IndexRange{1000, 3000}));
  EXPECT_EQ(newestRecords(bounds, 5000), (IndexRange{1000, 3000}));
  EXPECT_EQ(newestRecords({0, 0}, 7), (IndexRange{0, 1}));
}

TEST(IndexDialog, TextsAndRememberedChoice) {
  EXPECT_EQ(indexDialogCaption(0), "Индексы архивных записей диагностики");
  EXPECT_EQ(indexDialogCaption(1), "Индексы архивных записей о вмешательствах");
  EXPECT_EQ(indexChoiceText(1), "Последние 100 записей");
  EXPECT_EQ(indexChoiceText(4), "Заданный диапазон данных");
  EXPECT_EQ(indexChoiceOrDefault(3), 3);
  EXPECT_EQ(indexChoiceOrDefault(5), 1);
  EXPECT_EQ(indexChoiceOrDefault(0xFFFFFFFF), 1);
  // No "rd_arh.ini": the index dialog opens on the last 100, the period dialog on the last hour.
  const ArchiveDialogSettings defaults = ArchiveDialogSettings::defaults(45000.0);
  EXPECT_EQ(indexChoiceText(indexChoiceOrDefault(defaults.indexChoice())), "Последние 100 записей");
  EXPECT_EQ(periodChoiceText(periodChoiceOrDefault(defaults.periodChoice())), "За последний час");
}

TEST(IndexDialog, AcceptChecksInOrderAndCutsTheCount) {
  const ArchiveBounds bounds{1000, 3999};
  const InputError noFirst{"Не введен индекс записи начала чтения", ""};
  const InputError badFirst{"Нелогичное значение индекса записи начала чтения",
                            "(см. значения индексов начала и конца архива)."};
  const InputError noCount{"Не введено количество записей для чтения", ""};
  const InputError zeroCount{"Нелогичное значение количества записей для чтения", ""};
  struct Case {
    const char* first;
    const char* count;
    std::optional<InputError> error;
    std::uint32_t firstIndex = 0, records = 0;
  };
  const Case cases[] = {
      {"", "", noFirst},
      {"999", "", badFirst},
      {"4000", "5", badFirst},
      {"1000", "", noCount},
      {"1000", "0", zeroCount},
      {"1000", "000", zeroCount},
      {"1000", "25", std::nullopt, 1000, 25},
      {"3999", "5", std::nullopt, 3999, 1},  // the newest with five reads one
      {"3990", "99999999999999999999999", std::nullopt, 3990, 10},
      {"4294968296", "1", std::nullopt, 1000, 1},  // 2^32 + 1000, taken modulo 2^32
  };
  for (const Case& c : cases) {
    const IndexCheck check = checkIndexInput(c.first, c.count, bounds);
    EXPECT_EQ(check.error, c.error) << c.first << " / " << c.count;
    if (c.error) continue;
    EXPECT_EQ(check.first, c.firstIndex) << c.first;
    EXPECT_EQ(check.count, c.records) << c.first;
  }
}

// The whole 32-bit range: one record more than 32 bits count; the cut must not wrap to 0.
TEST(IndexDialog, CutOverTheWholeIndexRangeDoesNotWrap) {
  const IndexCheck check = checkIndexInput("0", "4294967295", {0, 0xFFFFFFFF});
  ASSERT_FALSE(check.error);
  EXPECT_EQ(check.count, 0xFFFFFFFFu);
  const IndexCheck zeros = checkIndexInput("0", "7", {0, 0});
  ASSERT_FALSE(zeros.error);
  EXPECT_EQ(zeros.count, 1u);
}

TEST(PeriodDialog, ChoicesProposeFromTheComputersClock) {
  ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(0);
  settings.setPeriodBegin(dayCountFromDateTime({26, 1, 2, 3, 4, 5}));
  settings.setPeriodEnd(dayCountFromDateTime({26, 1, 3, 6, 7, 8}));
  const DateTime6 justAfterMidnight{26, 3, 1, 0, 20, 5};

  const PeriodProposal lastHour = proposePeriod(0, justAfterMidnight, settings);
  EXPECT_EQ(lastHour.begin, (DateTime6{26, 2, 28, 23, 20, 5}));
  EXPECT_EQ(lastHour.end, justAfterMidnight);
  EXPECT_FALSE(lastHour.inputsEnabled);

  const PeriodProposal lastDay = proposePeriod(1, justAfterMidnight, settings);
  EXPECT_EQ(lastDay.begin, (DateTime6{26, 2, 28, 0, 20, 5}));
  EXPECT_EQ(lastDay.end, justAfterMidnight);

  const PeriodProposal custom = proposePeriod(2, justAfterMidnight, settings);
  EXPECT_EQ(custom.begin, (DateTime6{26, 1, 2, 3, 4, 5}));
  EXPECT_EQ(custom.end, (DateTime6{26, 1, 3, 6, 7, 8}));
  EXPECT_TRUE(custom.inputsEnabled);

  EXPECT_EQ(periodChoiceOrDefault(3), 0);
  EXPECT_EQ(periodChoiceText(2), "Заданный период");
  EXPECT_STREQ(kPeriodDialogCaption, "Ввод периода времени запрашиваемых данных");
}

TEST(PeriodDialog, TimeFieldsAreCheckedInOrderBeginFirst) {
  const Date3 day{26, 3, 1};
  const PeriodFields good{day, "10", "20", "30"};
  struct Case {
    PeriodFields begin, end;
    const char* message;
  };
  const Case cases[] = {
      {{day, "24", "60", "60"}, {day, "99", "99", "99"}, "Значение часа начала диапазона"},
      {{day, "23", "60", "60"}, {day, "99", "99", "99"}, "Значение минут начала диапазона"},
      {{day, "23", "59", "60"}, {day, "99", "99", "99"}, "Значение секунд начала диапазона"},
      {good, {day, "24", "0", "0"}, "Значение часа конца диапазона"},
      {good, {day, "23", "60", "0"}, "Значение минут конца диапазона"},
      {good, {day, "23", "59", "60"}, "Значение секунд конца диапазона"},
      {{day, "", "0", "0"}, good, "Значение часа начала диапазона"},  // an emptied field
      {good, {day, "23", "59", "123456789012345678901"}, "Значение секунд конца диапазона"},
  };
  for (const Case& c : cases) {
    const PeriodCheck check = checkPeriodInput(c.begin, c.end);
    ASSERT_TRUE(check.error) << c.message;
    EXPECT_EQ(check.error->line1, c.message);
    EXPECT_EQ(check.error->line2, "вне допустимого диапазона");
  }
}

TEST(PeriodDialog, EndEqualToBeginPassesOneSecondEarlierDoesNot) {
  const PeriodFields begin{{26, 3, 1}, "10", "20", "30"};
  const PeriodCheck equal = checkPeriodInput(begin, begin);
  ASSERT_FALSE(equal.error);
  EXPECT_EQ(equal.begin, (DateTime6{26, 3, 1, 10, 20, 30}));
  EXPECT_EQ(equal.end, equal.begin);

  const PeriodCheck earlier = checkPeriodInput(begin, {{26, 3, 1}, "10", "20", "29"});
  ASSERT_TRUE(earlier.error);
  EXPECT_EQ(*earlier.error, (InputError{"Дата и время конца опроса должны быть",
                                        "больше даты и времени начала опроса"}));
  // The date decides before the time does.
  EXPECT_FALSE(checkPeriodInput(begin, {{26, 3, 2}, "0", "0", "0"}).error);
  EXPECT_TRUE(checkPeriodInput(begin, {{26, 2, 28}, "23", "59", "59"}).error);
}

TEST(PeriodDialog, OnlyACustomPeriodIsRemembered) {
  ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(100.0);
  const DateTime6 begin{26, 3, 1, 12, 0, 0};
  const DateTime6 end{26, 3, 2, 0, 0, 0};
  rememberPeriod(settings, 1, begin, end);
  EXPECT_EQ(settings.periodBegin(), 100.0);
  rememberPeriod(settings, 2, begin, end);
  EXPECT_EQ(dateTimeFromDayCount(settings.periodBegin()), begin);
  EXPECT_EQ(dateTimeFromDayCount(settings.periodEnd()), end);
}

}  // namespace
}  // namespace zvc
