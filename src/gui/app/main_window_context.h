#pragma once

#include <functional>

class QWidget;

namespace zvc {

class ConfigImage;
class GuiFrontend;
class ProgramSettings;
class TableService;
class WorkingFolder;
struct ConnectionState;

// What the main window owns for the whole run, handed to the operation a menu item starts. The
// operations live beside their windows; the main window only chooses which one runs.
struct MainWindowContext {
  QWidget* window;
  ConnectionState& state;
  TableService& tables;
  ConfigImage& image;
  ProgramSettings& settings;
  GuiFrontend& frontend;
  const WorkingFolder& folder;
  // The menus and run captions again, after a write that changes what they show.
  std::function<void()> applyMenuRules;
};

}  // namespace zvc
