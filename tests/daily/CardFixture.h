#pragma once

#include "app/Application.h"
#include "app/DiaryLife.h"
#include "app/HelpWindow.h"
#include "app/IniRecord.h"
#include "app/SingleInstance.h"
#include "app/TAsDB.h"
#include "daily/AdditionalDailyPage.h"
#include "daily/BasicDailyPage.h"
#include "daily/DayCalendar.h"
#include "daily/TAsDly.h"
#include "store/Clock.h"
#include "support/Children.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTabWidget>

#include <functional>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// A program folder in a temporary folder, with "today" fixed at Saturday 15 June 2024. Tests
// write a diary into it through the store, then start the program on it.
class CardTest : public ::testing::Test {
protected:
    static inline const QDate kToday{2024, 6, 15};

    void SetUp() override;
    void TearDown() override { store::clock::setToday(QDate()); }

    QString folderPath() const { return QString::fromStdString(folder.path().string()); }
    // Writes to the diary before the program starts, through a store of its own.
    template <class Work>
    void prepare(Work work) {
        store::Diary diary;
        diary.files.setFolder(folderPath());
        diary.files.OpenDB();
        work(diary);
        diary.files.CloseDB();
    }
    // A person with a reliever, a preventer and two triggers.
    store::PersonId addPerson(store::Diary& diary, const QString& nickname, const QString& surname = "Smith");
    void start();

    // The card under test: the program's, unless a test makes one of its own.
    virtual daily::TAsDly& card() { return program->card(); }
    // The card's own controls (its pages' too), by their names.
    template <class Control>
    Control* on(const char* name) {
        return childNamed<Control>(card(), name);
    }
    QWidget* widget(const char* name) { return on<QWidget>(name); }
    QList<QWidget*> widgets(std::initializer_list<const char*> names) {
        QList<QWidget*> found;
        for (const char* name : names) found << widget(name);
        return found;
    }
    daily::BasicDailyPage& basic() { return *on<daily::BasicDailyPage>("Basic"); }
    daily::AdditionalDailyPage& additional() { return *on<daily::AdditionalDailyPage>("Additional"); }
    // Chooses the menu item of that name.
    void choose(const char* item);
    store::Diary& diary() { return program->diary(); }
    void selectDay(const QDate& date) { card().showDate(date); }
    static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    // Runs `action`, which opens a modal window, and hands that window to `use` once it is up.
    // The window must be closed by `use`; it is rejected afterwards if it is still open.
    static void withModal(const std::function<void()>& action, const std::function<void(QWidget*)>& use);

    TempFolder folder;
    std::unique_ptr<app::Application> program;
};

}  // namespace pulmora::test
