#include "gui/widgets/open_exported_file.h"

#include <QDesktopServices>
#include <QString>

#include "core/common/spreadsheet.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

constexpr int kQuestion = 3;
constexpr int kError = 1;

}  // namespace

OpenWithDesktop desktopOpener() {
  return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void offerToOpenExport(const std::filesystem::path& file, Frontend& frontend,
                       const OpenWithDesktop& open) {
  if (!frontend.showMessage(kQuestion, kOpenSpreadsheetQuestion, "")) return;
  if (!open(QUrl::fromLocalFile(QString::fromStdString(file.string())))) {
    frontend.showMessage(kError, kNoSpreadsheetViewer, "");
  }
}

}  // namespace zvc
