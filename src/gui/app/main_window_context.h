#pragma once

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
};

}  // namespace zvc
