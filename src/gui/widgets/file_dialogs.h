#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/archives/message_files.h"

class QWidget;

namespace zvc {

// "DataFiles (*.ala)|*.ala", a filter as the program's files name it, in the form Qt's file
// dialogs take: the text before the bar.
QString qtFileFilter(std::string_view filter);

// The main window's open dialog: every kind of file the program opens, `preselected` chosen,
// starting in `folder` with no name. Nothing when the user cancelled.
std::optional<std::filesystem::path> askOpenFileName(QWidget* parent,
                                                     const std::filesystem::path& folder,
                                                     std::string_view preselected);

// An open dialog for one kind of file: title, folder to start in, filter. Nothing on cancel.
std::optional<std::filesystem::path> askOpenFileOfType(QWidget* parent, const QString& title,
                                                       const std::filesystem::path& folder,
                                                       std::string_view filter);

// The platform's save dialog with the given title and file type, starting at the folder and name
// it is asked with. It does not ask about replacing a file itself: the caller's question does.
AskFileName saveFileNameDialog(QWidget* parent, const QString& title, std::string_view filter);

}  // namespace zvc
