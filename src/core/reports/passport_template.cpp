#include "core/reports/passport_template.h"

#include <system_error>

#include "core/common/format.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kError = 1;
constexpr int kTitleColumn = 7;  // G
constexpr int kTemplateComponents = 12;
constexpr int kColumnsAfterComponents = 16;

}  // namespace

bool checkMonthlyTemplate(const std::filesystem::path& workingFolder, Frontend& frontend) {
  std::error_code error;
  if (std::filesystem::is_regular_file(workingFolder / kMonthlyTemplateName, error)) return true;
  const std::string name(kMonthlyTemplateName);
  frontend.showMessage(kError, format("В рабочем каталоге отсутствует файл %s", name.c_str()),
                       "Обратитесь к разработчику программного обеспечения");
  return false;
}

void writePassportTitle(Spreadsheet& sheet, int lastColumn) {
  const Spreadsheet::Range title{1, kTitleColumn, 1, lastColumn};
  sheet.merge(title);
  sheet.setRowHeight(1, 18);
  sheet.setAlignment(title, Spreadsheet::Align::kCentre);
  sheet.setFont(title, "Arial", 12, 0, true);
  sheet.setText(1, kTitleColumn, "ПАСПОРТ ФІЗИКО-ХІМІЧНИХ ПОКАЗНИКІВ ПРИРОДНОГО ГАЗУ");
}

Spreadsheet monthlyTemplateSheet() {
  Spreadsheet sheet;
  writePassportTitle(sheet, kTemplateComponents + kColumnsAfterComponents);
  return sheet;
}

void provideMonthlyTemplate(const std::filesystem::path& workingFolder,
                            const std::filesystem::path& programFolder) {
  const auto target = workingFolder / kMonthlyTemplateName;
  const auto source = programFolder / kMonthlyTemplateName;
  std::error_code error;
  if (std::filesystem::exists(target, error) || !std::filesystem::is_regular_file(source, error)) {
    return;
  }
  // Through a temporary name, so a half-copied template never passes the gate.
  const auto temporary = workingFolder / (std::string(kMonthlyTemplateName) + ".part");
  if (std::filesystem::copy_file(source, temporary,
                                 std::filesystem::copy_options::overwrite_existing, error)) {
    std::filesystem::rename(temporary, target, error);
  }
  if (error) std::filesystem::remove(temporary, error);
}

}  // namespace zvc
