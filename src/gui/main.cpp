#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "core/app/version.h"
#include "core/app/working_folder.h"
#include "gui/app/qt_translation.h"
#include "gui/app/tformmain.h"
#include "gui/widgets/title_fit.h"

namespace {

constexpr int kUsageError = 2;

std::filesystem::path pathOf(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

// Read before the window system is reached, so that --help and mistakes need no display.
QStringList argumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int n = 0; n < argc; ++n) arguments << QString::fromLocal8Bit(argv[n]);
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName("zvc");
  QCoreApplication::setApplicationVersion(zvc::kProgramVersion);

  QCommandLineParser parser;
  parser.setApplicationDescription("Программа обслуживания контроллера ЖВЦ");
  // The parse runs before Qt starts, so Qt's own options are not taken.
  const QCommandLineOption help(QStringList{"h", "help"}, "Displays this help.");
  parser.addOption(help);
  parser.addVersionOption();
  const QCommandLineOption workdir("workdir", "Working folder (settings, saved files).", "DIR");
  parser.addOption(workdir);
  const bool parsed = parser.parse(argumentsOf(argc, argv));
  if (!parsed || !parser.positionalArguments().isEmpty()) {
    const QString error = parsed ? "Unexpected argument: " + parser.positionalArguments().first()
                                 : parser.errorText();
    std::fprintf(stderr, "zvc: %s\nTry 'zvc --help'.\n", qPrintable(error));
    return kUsageError;
  }
  if (parser.isSet(help)) {
    std::printf("%s", qPrintable(parser.helpText().replace("<executable_name>", "zvc")));
    return 0;
  }
  if (parser.isSet("version")) parser.showVersion();

  QApplication app(argc, argv);
  // The program speaks Russian whatever the system's language; Qt's own dialogs too.
  zvc::installQtTranslation(app);
  zvc::TitleFit titleFit;
  app.installEventFilter(&titleFit);
  std::optional<std::filesystem::path> givenFolder;
  if (parser.isSet(workdir)) givenFolder = pathOf(parser.value(workdir));
  const zvc::WorkingFolder folder =
      zvc::WorkingFolder::resolve(givenFolder, pathOf(QCoreApplication::applicationFilePath()),
                                  zvc::WorkingFolder::homeFolder());

  zvc::TFormMain window(folder);
  window.show();
  return QApplication::exec();
}
