#pragma once

#include "cli/cli_frontend.h"
#include "cli/link_options.h"
#include "core/app/working_folder.h"
#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"

namespace zvc::cli {

// One link to one controller for the life of a command, over the stored settings of the working
// folder and the given link options; the settings files are only read. The link is closed when
// the session ends.
class ControllerSession {
 public:
  ControllerSession(const WorkingFolder& folder, CliFrontend& frontend, TextOutput& errors);
  ~ControllerSession();
  ControllerSession(const ControllerSession&) = delete;
  ControllerSession& operator=(const ControllerSession&) = delete;

  // Opens the link (to `subscriber`, or as --phone/--subscriber name one; a modem call is dialled
  // as the window dials it), hands the credentials to the engine, reads the identification table
  // and checks that the controller is one the program serves. An exit status: success, or why not.
  int open(const LinkOptions& given, std::optional<Subscriber> subscriber = {});
  // open, and a version-14 controller refused: nothing but its identification is read before
  // zvc has restored its tables.
  int openForTables(const LinkOptions& given, const std::optional<Subscriber>& subscriber = {});

  TableService& tables() { return tables_; }
  ConfigImage& image() { return image_; }
  ConnectionState& connection() { return connection_; }
  int softwareVersion() const;

 private:
  int takeCredentials(const LinkOptions& given);
  int openLink(const LinkOptions& given, const std::optional<Subscriber>& subscriber);
  int connectTcp(const LinkOptions& given);
  int dial(const PhoneSubscriber& subscriber);

  CliFrontend& frontend_;
  TextOutput& errors_;
  LinkSettingsStore store_;
  kpsbox engine_;
  ConfigImage image_;
  ConnectionState connection_;
  TableService tables_;
  bool telephoneConnected_ = false;
};

}  // namespace zvc::cli
