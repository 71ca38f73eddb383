// Passport sheets read back with openpyxl: texts, conversions, merges, vertical headings, borders,
// fonts, the footer; file names, the replace question and the monthly template.
#include "core/reports/passport_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/reports/passport_template.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"
#include "support/xlsx_inspect.h"

namespace zvc {
namespace {

using test::hourDayRecord;
using test::inspect;

ReportParameter parameter(const char* name, int kind, int unitCode, int decimals,
                          std::uint16_t kindValue = 0) {
  return {name, unitCode, kindValue, decimals, kind};
}

// Two components, lower heat in ккал/м3, higher heat in МДж/м3, T, density, Wobbe in кВт*ч/м3,
// one parameter of no passport kind and a temperature that is not reported: columns A … R.
std::vector<ReportParameter> parameters() {
  return {parameter("CH4", 0, 1, 3), parameter("C2H6", 0, 1, 4), parameter("Hi", 3, 5, 2),
          parameter("Hs", 4, 4, 3),  parameter("T", 1, 8, 1),    parameter("De", 2, 6, 4),
          parameter("Wo", 5, 7, 2),  parameter("X", 9, 0, 0),    parameter("Tx", 1, 8, 1, 3)};
}

std::vector<float> values(float lowerHeat) {
  return {91.25F, 4.1234F, lowerHeat, 38.5F, 12.3F, 0.7234F, 14.0F, 1.0F, 99.0F};
}

std::vector<std::uint8_t> moistureRecord(Date3 date, int hour, std::uint8_t status,
                                         std::array<float, 4> v) {
  std::vector<std::uint8_t> r(WmtHourDayRecord::kSize, 0);
  date.toBytes(r.data());
  r[3] = static_cast<std::uint8_t>(hour);
  r[9] = status;
  std::memcpy(&r[10], v.data(), 16);
  appendCrc16(r.data(), r.size() - 2);
  return r;
}

std::vector<std::uint8_t> joined(const std::vector<std::vector<std::uint8_t>>& records) {
  std::vector<std::uint8_t> bytes;
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

std::vector<std::uint8_t> bytesOf(const test::ChromRecordBytes& r) {
  return {r.begin(), r.end()};
}

constexpr std::array<float, 4> kMoisture = {-12.25F, -5.5F, 40.0F, -20.0F};

// Two hours of 18.03.24: the second without the chromatograph's link (status bit 5) and without
// the moisture meter's; the day record with the chromatograph off (bit 1).
Passport dailyPassport() {
  Passport p;
  p.parameters = parameters();
  p.object = "ГРС Південна";
  p.runName = "Нитка 1";
  p.serialNumber = 73150001;
  p.moistureMeter = true;
  PassportReading& r = p.reading;
  r.mode = PassportMode::kDaily;
  r.date = {24, 3, 18};
  r.chromRows =
      ArchiveRecords(ChromHourDayRecord::kSize,
                     joined({bytesOf(hourDayRecord({24, 3, 18}, 9, 10, 0, values(8000))),
                             bytesOf(hourDayRecord({24, 3, 18}, 10, 11, 0x20, values(8000)))}));
  r.moistureRows = ArchiveRecords(WmtHourDayRecord::kSize,
                                  joined({moistureRecord({24, 3, 18}, 9, 0, kMoisture),
                                          moistureRecord({24, 3, 18}, 10, 0x04, kMoisture)}));
  r.chromDay = bytesOf(hourDayRecord({24, 3, 18}, 9, 0x89, 0x02, values(8000)));
  r.moistureDay = moistureRecord({24, 3, 18}, 9, 0, kMoisture);
  return p;
}

// Days 1, 2 and 3 of March 2024, day 3 without the chromatograph's link; no moisture meter.
Passport monthlyPassport() {
  Passport p = dailyPassport();
  p.moistureMeter = false;
  PassportReading& r = p.reading;
  r.mode = PassportMode::kMonthly;
  r.date = {24, 3, 1};
  r.chromRows =
      ArchiveRecords(ChromHourDayRecord::kSize,
                     joined({bytesOf(hourDayRecord({24, 3, 1}, 9, 0x89, 0, values(8000))),
                             bytesOf(hourDayRecord({24, 3, 2}, 9, 0x89, 0, values(8100))),
                             bytesOf(hourDayRecord({24, 3, 3}, 9, 0x89, 0x20, values(9999)))}));
  r.moistureRows = ArchiveRecords(WmtHourDayRecord::kSize,
                                  joined({moistureRecord({24, 3, 1}, 9, 0, kMoisture),
                                          moistureRecord({24, 3, 2}, 9, 0, kMoisture),
                                          moistureRecord({24, 3, 3}, 9, 0, kMoisture)}));
  r.chromDay.clear();
  r.moistureDay.clear();
  return p;
}

// One line per cell: "A1=text" ("None" for an empty cell).
std::string cells(const std::filesystem::path& file, const std::string& list) {
  return inspect(file, "for c in [" + list + "]: print(c + '=' + str(ws[c].value))");
}

class PassportSheet : public ::testing::Test {
 protected:
  std::filesystem::path written(const Passport& passport) {
    const auto file = temp_.file("passport.xlsx");
    EXPECT_TRUE(writePassport(passport, file, frontend_));
    return file;
  }

  test::TempFolder temp_;
  test::RecordingFrontend frontend_;
};

TEST_F(PassportSheet, DailyTitlesHoursAveragesAndConversions) {
  const auto file = written(dailyPassport());
  ASSERT_EQ(frontend_.messages.size(), 1U);
  EXPECT_EQ(frontend_.messages[0].kind, 6);
  EXPECT_EQ(frontend_.messages[0].line1, "Данные сохранены в файле passport.xlsx");
  EXPECT_EQ(cells(file,
                  "'G1','G2','R4','A5','B5','B7','C7','B9','D5','D7','D9','E7','E9','G9','H7',"
                  "'K7','N5','O5','P5','Q5','Q7','R7','Q9','R9'"),
            "G1=ПАСПОРТ ФІЗИКО-ХІМІЧНИХ ПОКАЗНИКІВ ПРИРОДНОГО ГАЗУ\n"
            "G2=Об'єкт: \"ГРС Південна\".  Серійний номер хроматографа: 73150001.  Нитка: "
            "\"Нитка 1\"\n"
            "R4=За період з 18.03.24 09:00  по  18.03.24 10:00\n"
            "A5=Дата запису\nB5=Компонентний склад\nB7=CH4\nC7=C2H6\nB9=% МД\n"
            "D5=Фізико-хімічні показники газу\nD7=Густина\nD9=кг/м3\n"
            "E7=Теплота згоряння\nнижча\nE9=ккал/м3\nG9=кВт\nгод/м3\n"
            "H7=Теплота згоряння\nвища\nK7=Число Воббе\n"
            "N5=Температура точки роси\nвологи при робочому тиску\n"
            "O5=Температура точки росивологи приведена\n(Р = 3.92 МПа)\n"
            "P5=Температура точки роси\nвуглеводнів при робочому\nтиску\n"
            "Q5=Умови відбору\nпроби\nQ7=Тиск\nR7=Температура\nQ9=кгс/см2\nR9=°С\n");
  // Hour 09: every value; lower heat in ккал/м3 as it is and converted, higher heat from МДж/м3,
  // Wobbe from кВт*ч/м3, the moisture cells in their order with the pressure in кгс/см2.
  EXPECT_EQ(cells(file,
                  "'A10','B10','C10','D10','E10','F10','G10','H10','I10','J10','K10','L10',"
                  "'M10','N10','O10','P10','Q10','R10','S10'"),
            "A10=18.03.24  09:00\nB10=91.250\nC10=4.1234\nD10=0.7234\nE10=8000.00\nF10=33.46\n"
            "G10=9.30\nH10=9204.581\nI10=38.500\nJ10=10.694\nK10=12049.23\nL10=50.40\n"
            "M10=14.00\nN10=-12.25\nO10=-20.00\nP10=-5.50\nQ10=40.79\nR10=12.3\nS10=None\n");
  // Hour 10: no link with the chromatograph voids its gas values but not T; no link with the
  // moisture meter voids its four cells.
  EXPECT_EQ(cells(file, "'A11','B11','D11','E11','M11','N11','Q11','R11'"),
            "A11=18.03.24  10:00\nB11=--\nD11=--\nE11=--\nM11=--\nN11=--\nQ11=--\nR11=12.3\n");
  // The averages row: the chromatograph was off, T is written all the same.
  EXPECT_EQ(cells(file, "'A34','B34','M34','N34','Q34','R34','A12'"),
            "A34=Середнє значення:\nB34=--\nM34=--\nN34=-12.25\nQ34=40.79\nR34=12.3\nA12=None\n");
  EXPECT_EQ(cells(file, "'A38'"), "A38=Відповідальна особа " + std::string(30, ' ') + " Посада " +
                                      std::string(30, ' ') + " Прізвище " + std::string(30, ' ') +
                                      " Підпис " + std::string(30, ' ') + " Дата " +
                                      std::string(15, ' ') + "\n");
}

TEST_F(PassportSheet, DailyLayoutMergesVerticalTextsBordersAndFonts) {
  const auto file = written(dailyPassport());
  EXPECT_EQ(inspect(file, "print(sorted(str(r) for r in ws.merged_cells.ranges))"),
            "['A38:R38', 'A5:A9', 'B5:C6', 'B7:B8', 'C7:C8', 'D5:M6', 'D7:D8', 'E7:G8', "
            "'G1:R1', 'G2:R2', 'H7:J8', 'K7:M8', 'N5:N8', 'O5:O8', 'P5:P8', 'Q5:R6', 'Q7:Q8', "
            "'R7:R8']\n");
  const std::string code =
      "def show(c):\n"
      "  x = ws[c]\n"
      "  print(c, x.font.name, x.font.sz, x.font.b, x.alignment.textRotation, "
      "x.number_format, x.border.left.style, x.border.right.style, x.border.top.style, "
      "x.border.bottom.style)\n"
      "for c in ['G1','G2','R4','A5','B7','B9','E7','D7','C9','E9','B10','A34','A38']: "
      "show(c)\n"
      "print(int(ws.column_dimensions['A'].width), ws.row_dimensions[8].height, "
      "ws.row_dimensions[9].height, ws.row_dimensions[38].height)\n"
      "print(ws.page_setup.orientation, ws.sheet_properties.pageSetUpPr.fitToPage)";
  EXPECT_EQ(inspect(file, code),
            "G1 Arial 12.0 True 0 General None None None None\n"
            "G2 Arial 10.0 True 0 General None None None None\n"
            "R4 Arial 11.0 True 0 General None None None medium\n"
            "A5 Times New Roman 11.0 False 90 @ medium medium None medium\n"
            "B7 Times New Roman 9.0 True 90 @ None thin None thin\n"
            "B9 Times New Roman 11.0 False 0 @ None thin None medium\n"
            "E7 Times New Roman 11.0 True 0 @ None medium None thin\n"
            "D7 Times New Roman 11.0 False 0 @ None medium None thin\n"
            "C9 Times New Roman 11.0 False 0 @ None medium None medium\n"
            "E9 Times New Roman 11.0 False 0 @ None thin None medium\n"
            "B10 Arial 10.0 False 0 @ None None None None\n"
            "A34 Arial 10.0 True 0 @ medium medium None medium\n"
            "A38 Arial 10.0 False 0 General None None medium None\n"
            "22 92.0 29.0 18.0\n"
            "landscape True\n");
}

TEST_F(PassportSheet, MonthlyRowsByDayAndHeatMeansWithoutVoidedDays) {
  const auto file = written(monthlyPassport());
  EXPECT_EQ(cells(file, "'A5','R4','A10','A40','B10','E11','B12','E12','R12','N10','A39'"),
            "A5=Число місяця\nR4=За період з 01.03.24 по  03.03.24\nA10=1\nA40=31\n"
            "B10=91.250\nE11=8100.00\nB12=--\nE12=--\nR12=12.3\nN10=None\nA39=30\n");
  // Day 3 is left out: (8000 + 8100) / 2 in ккал/м3 and converted; the higher heat likewise.
  EXPECT_EQ(cells(file, "'A41','E41','F41','G41','H41','I41'"),
            "A41=Середньозважене значення теплоти згоряння:\nE41=8050.00\nF41=33.67\nG41=9.35\n"
            "H41=9204.581\nI41=38.500\n");
  EXPECT_EQ(inspect(file,
                    "print(ws['A45'].value[:19], ws['A45'].border.top.style, "
                    "int(ws.column_dimensions['A'].width), 'A41:D41' in "
                    "[str(r) for r in ws.merged_cells.ranges])"),
            "Відповідальна особа medium 8 True\n");
}

TEST_F(PassportSheet, MonthlyHeatMeansCountEachValueOnItsOwn) {
  Passport p = monthlyPassport();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> firstDay = values(nan);
  firstDay[3] = 38.0F;
  std::vector<float> secondDay = values(8100);
  secondDay[3] = 39.0F;
  p.reading.chromRows =
      ArchiveRecords(ChromHourDayRecord::kSize,
                     joined({bytesOf(hourDayRecord({24, 3, 1}, 9, 0x89, 0, firstDay)),
                             bytesOf(hourDayRecord({24, 3, 2}, 9, 0x89, 0, secondDay))}));
  const auto file = written(p);
  // The lower heat of day 1 is not a number: its mean is day 2's alone; the higher heat is the
  // mean of both days, (38 + 39) / 2 МДж/м3.
  EXPECT_EQ(cells(file, "'E10','H10','E41','I41'"),
            "E10=NAN\nH10=9085.041\nE41=8100.00\nI41=38.500\n");
}

TEST_F(PassportSheet, NotANumberAndAbsentParametersLeaveTheirCells) {
  Passport p = dailyPassport();
  // Without density and Wobbe index, with a lower heat that is not a number.
  p.parameters[5].kind = 9;
  p.parameters[6].kind = 9;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  p.reading.chromRows = ArchiveRecords(ChromHourDayRecord::kSize,
                                       bytesOf(hourDayRecord({24, 3, 18}, 9, 10, 0, values(nan))));
  p.reading.moistureRows =
      ArchiveRecords(WmtHourDayRecord::kSize, moistureRecord({24, 3, 18}, 9, 0, kMoisture));
  const auto file = written(p);
  EXPECT_EQ(cells(file, "'D9','D10','E10','F10','G10','H10','K10','M10','N10'"),
            "D9=кг/м3\nD10=None\nE10=NAN\nF10=NAN\nG10=NAN\nH10=9204.581\nK10=None\nM10=None\n"
            "N10=-12.25\n");
}

TEST_F(PassportSheet, FileNamesAndTheReplaceQuestion) {
  Passport p = dailyPassport();
  EXPECT_EQ(passportFile("/w/REPORT", p), "/w/REPORT/ГРС Південна_Нитка 1_day_240318.xlsx");
  p.object = "ГРС 1/2";
  EXPECT_EQ(passportFile("/w/REPORT", monthlyPassport()),
            "/w/REPORT/ГРС Південна_Нитка 1_mon_2403.xlsx");
  p.reading.mode = PassportMode::kMonthly;
  EXPECT_EQ(passportFile("/w/REPORT", p).filename(), "ГРС 1_2_Нитка 1_mon_2403.xlsx");

  const auto file = temp_.file("REPORT/old.xlsx");
  std::filesystem::create_directories(file.parent_path());
  test::writeBytes(file, "old report");
  EXPECT_FALSE(writePassport(dailyPassport(), file, frontend_));
  ASSERT_EQ(frontend_.messages.size(), 1U);
  EXPECT_EQ(frontend_.messages[0].kind, 3);
  EXPECT_EQ(frontend_.messages[0].line1, "Файл отчета old.xlsx уже есть.");
  EXPECT_EQ(frontend_.messages[0].line2, "Вы хотите заменить существующий отчет?");
  EXPECT_EQ(test::readBytes(file), "old report");

  frontend_.answers.push_back(true);
  EXPECT_TRUE(writePassport(dailyPassport(), file, frontend_));
  EXPECT_EQ(frontend_.messages.back().line1, "Данные сохранены в файле old.xlsx");
  EXPECT_EQ(cells(file, "'A10'"), "A10=18.03.24  09:00\n");
}

TEST_F(PassportSheet, AFolderThatCannotBeWrittenIsToldAndLeavesNoFile) {
  const auto file = temp_.file("plain-file/passport.xlsx");
  test::writeBytes(temp_.file("plain-file"), "");
  EXPECT_FALSE(writePassport(dailyPassport(), file, frontend_));
  ASSERT_EQ(frontend_.messages.size(), 1U);
  EXPECT_EQ(frontend_.messages[0].kind, 1);
  EXPECT_EQ(frontend_.messages[0].line1, "Ошибка работы с файлом!");
}

TEST_F(PassportSheet, TheMonthlyTemplateIsShippedCopiedAndRequired) {
  const auto work = temp_.file("work");
  const auto program = temp_.file("program");
  std::filesystem::create_directories(work);
  std::filesystem::create_directories(program);
  EXPECT_FALSE(checkMonthlyTemplate(work, frontend_));
  ASSERT_EQ(frontend_.messages.size(), 1U);
  EXPECT_EQ(frontend_.messages[0].kind, 1);
  EXPECT_EQ(frontend_.messages[0].line1,
            "В рабочем каталоге отсутствует файл mon_report_title_v5.xlsx");
  EXPECT_EQ(frontend_.messages[0].line2, "Обратитесь к разработчику программного обеспечения");

  provideMonthlyTemplate(work, program);  // nothing shipped: nothing to copy
  EXPECT_FALSE(std::filesystem::exists(work / kMonthlyTemplateName));
  ASSERT_TRUE(monthlyTemplateSheet().save(program / kMonthlyTemplateName));
  provideMonthlyTemplate(work, program);
  EXPECT_TRUE(checkMonthlyTemplate(work, frontend_));
  EXPECT_EQ(inspect(work / kMonthlyTemplateName,
                    "print(ws['G1'].value, [str(r) for r in ws.merged_cells.ranges])"),
            "ПАСПОРТ ФІЗИКО-ХІМІЧНИХ ПОКАЗНИКІВ ПРИРОДНОГО ГАЗУ ['G1:AB1']\n");
  // A template the user put there is kept.
  test::writeBytes(work / kMonthlyTemplateName, "own");
  provideMonthlyTemplate(work, program);
  EXPECT_EQ(test::readBytes(work / kMonthlyTemplateName), "own");
}

}  // namespace
}  // namespace zvc
