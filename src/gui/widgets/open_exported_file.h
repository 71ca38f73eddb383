#pragma once

#include <QUrl>
#include <filesystem>
#include <functional>

namespace zvc {

class Frontend;

// Hands a file to the desktop's default application; false when none took it.
using OpenWithDesktop = std::function<bool(const QUrl&)>;
OpenWithDesktop desktopOpener();

// After a spreadsheet was written: asks whether to open it and, on "Да", opens it.
void offerToOpenExport(const std::filesystem::path& file, Frontend& frontend,
                       const OpenWithDesktop& open);

}  // namespace zvc
