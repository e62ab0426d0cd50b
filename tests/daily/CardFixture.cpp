#include "CardFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace pulmora::test {

void CardTest::SetUp() {
    store::clock::setToday(kToday);
    writeBytes(folder.file("pulmora"), {});  // the program's executable stands in its folder
}

store::PersonId CardTest::addPerson(store::Diary& diary, const QString& nickname, const QString& surname) {
    store::PersonDetails d;
    d.nickname = nickname;
    d.surname = surname;
    d.firstName = "Jo";
    d.gender = "Female";
    d.best = "400";
    d.predicted = "420";
    d.zoneYellow = "80";
    d.zoneRed = "50";
    const store::PersonId id = diary.persons.AddPer(std::nullopt, d).value.value().id;
    const std::vector<store::PersonMedRow> medication = {{"", "Salbutamol", store::kReliever, "", "", {}},
                                                         {"", "Budesonide", store::kPreventer, "", "", {}}};
    EXPECT_TRUE(diary.persons.savePersonLists(id, {"POLLEN", "COLD AIR"}, medication));
    return id;
}

void CardTest::start() {
    program = std::make_unique<app::Application>(folderPath());
    ASSERT_TRUE(program->start());
}

void CardTest::choose(const char* item) { childNamed<QAction>(card(), item)->trigger(); }

void CardTest::click(QWidget* widget, Qt::MouseButton button) {
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

void CardTest::withModal(const std::function<void()>& action, const std::function<void(QWidget*)>& use) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = QApplication::activeModalWidget();
        seen = window != nullptr;
        if (!window) return;
        use(window);
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) dialog->reject();
    });
    action();
    EXPECT_TRUE(seen) << "no window opened";
}

}  // namespace pulmora::test
