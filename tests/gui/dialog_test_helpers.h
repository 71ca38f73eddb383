#pragma once

// Driving dialogs from Qt tests: buttons by caption, fields by object name, and modal dialogs
// that a button opens.

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace zvc::test {

// The item at the end of a path of captions from the window's menu bar; nullptr when there is
// none.
inline QAction* menuItem(const QMainWindow& window, const QStringList& path) {
  QList<QAction*> level = window.menuBar()->actions();
  QAction* found = nullptr;
  for (const QString& caption : path) {
    found = nullptr;
    for (QAction* item : level) {
      if (item->text() == caption) found = item;
    }
    if (!found) return nullptr;
    if (found->menu()) level = found->menu()->actions();
  }
  return found;
}

// The menu item that calls handler with that tag (run 1 or the first archive: 0); nullptr when
// there is none.
inline QAction* itemOf(const QMainWindow& window, const char* handler, int tag = 0) {
  for (QAction* item : window.menuBar()->findChildren<QAction*>()) {
    if (item->property("handler").toString() == handler && item->property("Tag").toInt() == tag) {
      return item;
    }
  }
  return nullptr;
}

inline QPushButton* buttonOf(const QWidget& dialog, const QString& caption) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == caption) return button;
  }
  return nullptr;
}

inline void click(const QWidget& dialog, const QString& caption) {
  QPushButton* button = buttonOf(dialog, caption);
  QVERIFY2(button, qPrintable(caption));
  QVERIFY2(button->isEnabled(), qPrintable(caption));
  button->click();
}

// Replaces the field's text by typing, so that its key filter sees every key (ASCII only: the
// test keyboard knows no other characters).
inline void type(QLineEdit* field, const QString& text) {
  QVERIFY(field);
  field->clear();
  QTest::keyClicks(field, text);
}

inline void type(const QWidget& dialog, const char* field, const QString& text) {
  type(dialog.findChild<QLineEdit*>(field), text);
}

// Free-text fields, which have no key filter, take any text directly.
inline void setField(const QWidget& dialog, const char* field, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(field);
  QVERIFY(edit);
  edit->setText(text);
}

// Runs act on the modal dialog of type Dialog that the caller is about to open, once its event
// loop runs. A dialog still open afterwards, or any other that opens, is closed, so that a
// failing test does not hang.
template <typename Dialog, typename Act>
void whenModalOpens(Act act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<Dialog*>(modal)) {
      act(*dialog);
      if (dialog->isVisible()) dialog->close();  // act failed half-way
      return;
    }
    if (modal) modal->close();
    QFAIL("the expected dialog did not open");
  });
}

// Operations run their own event loops between the dialogs, so a step waits for its window to
// become the modal one. A step that never comes closes whatever is modal, so nothing hangs.
template <typename Window, typename Act>
void whenShown(Act act, QDeadlineTimer deadline = QDeadlineTimer(20000)) {
  QTimer::singleShot(20, [act = std::move(act), deadline]() mutable {
    if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
      act(*window);
      return;
    }
    if (deadline.hasExpired()) {
      QString shown;
      while (QWidget* modal = QApplication::activeModalWidget()) {
        for (const QLabel* label : modal->findChildren<QLabel*>()) shown += label->text() + " / ";
        modal->close();
      }
      QFAIL(qPrintable(
          QString("%1 did not open; shown: %2").arg(Window::staticMetaObject.className(), shown)));
    }
    whenShown<Window>(std::move(act), deadline);
  });
}

}  // namespace zvc::test
