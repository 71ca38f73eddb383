#pragma once

class QCoreApplication;

namespace zvc {

// Qt's own Russian texts (the file dialogs' "Перейти к:", "Имя файла:", "Сохранить", "Отмена" …)
// from the translations installed with Qt. False when they are not installed: Qt then speaks
// English.
bool installQtTranslation(QCoreApplication& application);

}  // namespace zvc
