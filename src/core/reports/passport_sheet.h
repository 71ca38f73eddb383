#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/spreadsheet.h"
#include "core/reports/passport_plan.h"
#include "core/reports/passport_reader.h"

namespace zvc {

class ConfigImage;
class Frontend;
class TableService;
struct ConnectionState;

// Everything a passport sheet shows: the records read and what the image says about them.
struct Passport {
  PassportReading reading;
  std::vector<ReportParameter> parameters;
  std::string object;
  std::string runName;
  std::uint32_t serialNumber = 0;
  bool moistureMeter = false;  // the controller polls a moisture meter (table 6 field 8)
};

Passport makePassport(const ConfigImage& image, PassportReading reading, std::string object);

// "OBJECT_RUN_day_YYMMDD.xlsx" or "OBJECT_RUN_mon_YYMM.xlsx" in the report folder.
std::filesystem::path passportFile(const std::filesystem::path& reportFolder,
                                   const Passport& passport);

// The sheet's rows up to which the header groups and data are drawn, for the progress bar.
int passportProgressMaximum(PassportMode mode);

// The whole sheet; `progress` is told how far the drawing came (up to the maximum above).
Spreadsheet passportSheet(const Passport& passport,
                          const std::function<void(int)>& progress = nullptr);

// The passport into `file` (its folder made when missing): an existing report is replaced only
// when the person says so; the outcome is told. True when the file was written.
bool writePassport(const Passport& passport, const std::filesystem::path& file, Frontend& frontend,
                   const std::function<void(int)>& progress = nullptr);

// The records of a passport read (see PassportReader) and joined with what the image says of them;
// nullopt after the message that tells why not.
// `date` is the day (daily) or any day of the month (monthly).
std::optional<Passport> readPassport(ConnectionState& connection, TableService& tables,
                                     PassportMode mode, int run, const Date3& date,
                                     const std::string& object, const ArchiveRange& range);

}  // namespace zvc
