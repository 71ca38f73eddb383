// Writes the monthly passport's title workbook, which zvc and zvc-cli ship beside themselves, to
// every file named on the command line.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/reports/passport_template.h"

int main(int argc, char* argv[]) {
  const zvc::Spreadsheet sheet = zvc::monthlyTemplateSheet();
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path file(argv[i]);
    std::error_code ignored;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
    if (!sheet.save(file)) {
      std::fprintf(stderr, "cannot write %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
