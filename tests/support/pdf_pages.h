// Pages of a written PDF as poppler's tools see them.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace zvc::test {

// The tool's standard output; empty when it failed.
inline QString runTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// -1 when the file is no readable PDF.
inline int pdfPageCount(const QString& file) {
  const QRegularExpression pages("^Pages:\\s+(\\d+)$", QRegularExpression::MultilineOption);
  const auto match = pages.match(runTool("pdfinfo", {file}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The page's text with every run of blanks made one blank.
inline QString pdfPageText(const QString& file, int page) {
  const QString number = QString::number(page);
  return runTool("pdftotext", {"-f", number, "-l", number, file, "-"}).simplified();
}

}  // namespace zvc::test
