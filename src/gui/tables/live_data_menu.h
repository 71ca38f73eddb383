#pragma once

#include "gui/app/main_window_context.h"

namespace zvc {

// "Нитка 1"/"Нитка 2" of the chromatograph's momentary data (run 0 or 1): refused with a message
// when the controller has no link with the chromatograph.
void showChromatographMomentaryData(const MainWindowContext& context, int run);
// "Мгновенные данные влагомера".
void showMoistureMeterMomentaryData(const MainWindowContext& context);
// "Текущее состояние контроллера", and from it the table-state dialog, as long as that dialog is
// left with "Выход". True when the controller's non-volatile data were reset there: the link is
// to be established anew.
bool showControllerState(const MainWindowContext& context);

}  // namespace zvc
