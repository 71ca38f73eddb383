#include "gui/link/tformobjects_list.h"

#include <QTableWidget>
#include <QtTest>

#include "core/common/format.h"
#include "gui/dialog_test_helpers.h"
#include "gui/link/tformobject.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::ObjectList;
using zvc::TFormObject;
using zvc::TFormObjects_List;
using zvc::test::buttonOf;
using zvc::test::click;
using zvc::test::setField;

namespace {

ObjectList objects(int count) {
  ObjectList list;
  list.count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) list.names[i] = zvc::format("ГРС %02d", i);
  return list;
}

int rowCount(const QWidget& dialog) {
  return dialog.findChild<QTableWidget*>("grid")->rowCount();
}

}  // namespace

class TFormObjectsListTest : public QObject {
  Q_OBJECT

 private slots:
  void deleteAnsweredNoKeepsTheObject() {
    zvc::test::TempFolder folder;
    zvc::test::RecordingFrontend frontend;
    ObjectList list = objects(2);
    TFormObjects_List dialog(list, folder.file("objects.ini"), frontend);
    QCOMPARE(dialog.windowTitle(), QString(" Список объектов"));

    click(dialog, "Удалить");
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 3);
    QCOMPARE(frontend.messages[0].line2, std::string("удалить этот объект?"));
    QCOMPARE(list.count, 2);

    frontend.answers.push_back(true);
    click(dialog, "Удалить");
    QCOMPARE(list.count, 1);
    QVERIFY(!buttonOf(dialog, "Удалить")->isEnabled());
  }

  void cursorKeysChooseTheObject() {
    zvc::test::TempFolder folder;
    zvc::test::RecordingFrontend frontend;
    ObjectList list = objects(3);
    TFormObjects_List dialog(list, folder.file("objects.ini"), frontend);
    QTest::keyClick(dialog.findChild<QTableWidget*>("grid"), Qt::Key_Down);

    frontend.answers.push_back(true);
    click(dialog, "Удалить");

    QCOMPARE(list.count, 2);
    QCOMPARE(list.names[0], std::string("ГРС 00"));
    QCOMPARE(list.names[1], std::string("ГРС 02"));
  }

  void closingWithoutAcceptPutsTheListBack() {
    zvc::test::TempFolder folder;
    zvc::test::RecordingFrontend frontend;
    ObjectList list = objects(2);
    const ObjectList before = list;
    TFormObjects_List dialog(list, folder.file("objects.ini"), frontend);
    frontend.answers.push_back(true);
    click(dialog, "Удалить");

    dialog.reject();

    QCOMPARE(list, before);
    QVERIFY(!std::filesystem::exists(folder.file("objects.ini")));
  }

  void addedObjectIsSortedSelectedAndWritten() {
    zvc::test::TempFolder folder;
    zvc::test::RecordingFrontend frontend;
    ObjectList list = objects(49);
    TFormObjects_List dialog(list, folder.file("objects.ini"), frontend);

    zvc::test::whenModalOpens<TFormObject>([](TFormObject& object) {
      setField(object, "name", "");
      click(object, "Принять");
      setField(object, "name", "аэропорт");
      click(object, "Принять");
    });
    click(dialog, "Добавить");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Не введено наименование"));
    QCOMPARE(rowCount(dialog), 50);
    QVERIFY(!buttonOf(dialog, "Добавить")->isEnabled());
    // Lower-case sorts as upper-case: "АЭРОПОРТ" before "ГРС".
    QCOMPARE(list.names[0], std::string("аэропорт"));
    QCOMPARE(list.selected, 0);

    click(dialog, "Принять");
    QCOMPARE(zvc::readObjects(folder.file("objects.ini")), list);
  }

  void emptyListOffersNothingToChange() {
    zvc::test::TempFolder folder;
    zvc::test::RecordingFrontend frontend;
    ObjectList list;
    TFormObjects_List dialog(list, folder.file("objects.ini"), frontend);
    QVERIFY(!buttonOf(dialog, "Изменить")->isEnabled());
    QVERIFY(!buttonOf(dialog, "Удалить")->isEnabled());
    QVERIFY(buttonOf(dialog, "Добавить")->isEnabled());
  }
};

QTEST_MAIN(TFormObjectsListTest)
#include "tformobjects_list_test.moc"
