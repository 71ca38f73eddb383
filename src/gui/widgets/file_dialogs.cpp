#include "gui/widgets/file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "core/archives/calibration_archives.h"
#include "core/archives/chrom_files.h"
#include "core/archives/moisture_files.h"

namespace zvc {
namespace {

// File names are bytes on Linux; Qt's dialogs speak QString.
QString dialogPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::optional<std::filesystem::path> chosenPath(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(chosen).toStdString());
}

}  // namespace

QString qtFileFilter(std::string_view filter) {
  return QString::fromUtf8(filter.substr(0, filter.find('|')));
}

std::optional<std::filesystem::path> askOpenFileName(QWidget* parent,
                                                     const std::filesystem::path& folder,
                                                     std::string_view preselected) {
  QStringList types;
  for (MessageFileKind kind : kMessageFileKinds) {
    types << qtFileFilter(messageFileFormat(kind).openFilter);
  }
  for (ChromArchive archive : kChromArchives) {
    types << qtFileFilter(chromFileFormat(archive).openFilter);
  }
  for (MoistureArchive archive : kMoistureArchives) {
    types << qtFileFilter(moistureFileFormat(archive).openFilter);
  }
  for (CheckArchive archive : {CheckArchive::kCalibration, CheckArchive::kVerification}) {
    types << qtFileFilter(checkArchiveFormat(archive).openFilter);
  }
  QString chosenType = qtFileFilter(preselected);
  return chosenPath(QFileDialog::getOpenFileName(parent, QString::fromUtf8(kOpenDialogTitle),
                                                 dialogPath(folder), types.join(";;"),
                                                 &chosenType));
}

std::optional<std::filesystem::path> askOpenFileOfType(QWidget* parent, const QString& title,
                                                       const std::filesystem::path& folder,
                                                       std::string_view filter) {
  return chosenPath(
      QFileDialog::getOpenFileName(parent, title, dialogPath(folder), qtFileFilter(filter)));
}

AskFileName saveFileNameDialog(QWidget* parent, const QString& title, std::string_view filter) {
  return [parent, title, qtFilter = qtFileFilter(filter)](const std::filesystem::path& start) {
    return chosenPath(QFileDialog::getSaveFileName(parent, title, dialogPath(start), qtFilter,
                                                   nullptr, QFileDialog::DontConfirmOverwrite));
  };
}

}  // namespace zvc
