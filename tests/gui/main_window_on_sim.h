#pragma once

// The main window as after a connection step: its engine talks to a running zvc-sim over TCP and
// the controller counts as connected. The working tables are the test's to read.

#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "core/app/connection_step.h"
#include "core/link/kpsbox.h"
#include "gui/app/tformmain.h"
#include "sim_process.h"

namespace zvc::test {

// The simulator's user: password "1", code "1", blank-padded.
inline void logInAsSimUser(kpsbox& engine) {
  engine.writePassword.fill(' ');
  engine.writePassword[0] = '1';
  engine.userCode.fill(' ');
  engine.userCode[0] = '1';
}

// A window in the working folder; its tcpSocket is -1 when the simulator could not be reached.
inline std::unique_ptr<TFormMain> mainWindowOnSim(const QString& folder, const SimProcess& sim) {
  auto window = std::make_unique<TFormMain>(WorkingFolder(folder.toStdString()));
  window->findChild<QTimer*>("TimerStart")->stop();
  ConnectionState& state = window->connectionState();
  state.engine->linkType = kpsbox::kTcp;
  state.engine->openPortPerExchange = false;
  state.engine->address = 1;
  state.engine->tcpSocket = sim.connectTcp();
  state.connected = true;
  return window;
}

// The connected window as the archive items find it: working tables read, menu rules applied,
// shown. False when the simulator could not be reached or the tables not read.
inline bool showWithWorkingTables(TFormMain& window) {
  if (window.connectionState().engine->tcpSocket < 0) return false;
  if (!readWorkingTables(window.tables())) return false;
  window.applyMenuRules();
  window.show();
  return true;
}

// A simulator on a free TCP port and a connected main window in a folder of its own, destroyed
// window first.
struct SimMainWindow {
  // More simulator options after "--tcp 0", e.g. {"--set", "32.0=01"}.
  explicit SimMainWindow(std::vector<std::string> options = {})
      : sim(withTcp(std::move(options))), window(mainWindowOnSim(folder.path(), sim)) {}
  ~SimMainWindow() { window.reset(); }

  QTemporaryDir folder;
  SimProcess sim;
  std::unique_ptr<TFormMain> window;

 private:
  static std::vector<std::string> withTcp(std::vector<std::string> options) {
    options.insert(options.begin(), {"--tcp", "0"});
    return options;
  }
};

}  // namespace zvc::test
