#pragma once

#include "gui/app/main_window_context.h"

namespace zvc {

// The operations of "Параметры идентификации", "Наименования", "Системные параметры",
// "Синхронизация времени", "Дата и время" and " Серийный номер хроматографа". Each reads what it
// shows first; a failed read ends it before any window opens.

void showIdentification(const MainWindowContext& context);
// On success the controller's name and the run captions show the new names.
void editControllerNames(const MainWindowContext& context);
// On success the menus follow the instruments now connected.
void editSystemParameters(const MainWindowContext& context);
void editTimeSync(const MainWindowContext& context);
// The controller's clock beside the computer's, and its correction on request.
void showDateAndTime(const MainWindowContext& context);
void showChromatographSerialNumber(const MainWindowContext& context);

}  // namespace zvc
