#pragma once

#include <filesystem>
#include <string>

#include "core/archives/calibration_archives.h"
#include "core/archives/chrom_archives.h"
#include "core/common/spreadsheet.h"

namespace zvc {

class Frontend;

// The sheet of a chromatograph table: title, two heading rows, one row per record, the averages.
Spreadsheet chromTableSheet(const ChromTable& table);

// The sheet of a calibration or verification table: title, two heading rows, one row per record,
// no average row.
Spreadsheet checkTableSheet(const CheckTable& table);

// What a value cell of the grid becomes in the sheet: the number it begins with, written with the
// parameter's decimals and without its zone mark; any other text (NAN, blank, the unsound-record
// words) trimmed.
std::string sheetValueText(const std::string& gridText, int decimals);

// Writes the sheet to `file` under the spreadsheet wait window and tells the outcome. True when
// the file was written.
bool exportChromTable(const ChromTable& table, const std::filesystem::path& file,
                      Frontend& frontend);

bool exportCheckTable(const CheckTable& table, const std::filesystem::path& file,
                      Frontend& frontend);

}  // namespace zvc
