#pragma once

#include <filesystem>
#include <string_view>

#include "core/common/spreadsheet.h"

namespace zvc {

class Frontend;

// The monthly passport's title workbook: the program ships it beside its executable and a
// working folder must hold it for monthly passports.
inline constexpr std::string_view kMonthlyTemplateName = "mon_report_title_v5.xlsx";

// True when the working folder holds the template; otherwise the person is told (an error) whom
// to ask.
bool checkMonthlyTemplate(const std::filesystem::path& workingFolder, Frontend& frontend);

// The title block of a passport (row 1, columns G … `lastColumn`).
void writePassportTitle(Spreadsheet& sheet, int lastColumn);
// The shipped template: the title block over the columns of a passport of twelve components.
Spreadsheet monthlyTemplateSheet();

// Copies the shipped template from `programFolder` into a working folder that lacks it. A copy
// that fails leaves the working folder without it, and the monthly gate tells so.
void provideMonthlyTemplate(const std::filesystem::path& workingFolder,
                            const std::filesystem::path& programFolder);

}  // namespace zvc
