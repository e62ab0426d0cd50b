#pragma once

#include "store/Diary.h"
#include "store/Keys.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDate>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// A diary in a temporary folder for report tests: persons with chosen zone figures and days
// with chosen values, written through the store's own operations.
class ReportDiary {
public:
    ReportDiary() {
        diary.files.setFolder(path());
        diary.files.OpenDB();
    }

    QString path() const { return QString::fromStdString(folder.path().string()); }

    static store::PersonDetails details(const QString& nickname, int best, int yellow, int red) {
        store::PersonDetails d;
        d.nickname = nickname;
        d.surname = "Smith";
        d.firstName = nickname;
        d.gender = "Female";
        d.birthDate = "19800131";
        d.title = "Ms";
        d.best = QString::number(best);
        d.predicted = QString::number(best);
        d.zoneYellow = QString::number(yellow);
        d.zoneRed = QString::number(red);
        return d;
    }
    QString addPerson(const QString& nickname, int best = 500, int yellow = 80, int red = 50) {
        const auto added = diary.persons.AddPer("New", details(nickname, best, yellow, red));
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value.id;
    }
    // Stores the person's best again, as the personal card does, below readings already on file.
    void setBest(const QString& person, const QString& nickname, int best) {
        EXPECT_TRUE(diary.persons.AddPer(person, details(nickname, best, 80, 50)));
    }
    void addDay(const QString& person, const QDate& day, const store::DayValues& values) {
        const auto r = diary.days.AddDly(person, store::keys::dateKey(day), values);
        EXPECT_TRUE(r) << r.error().toStdString();
    }
    void addReadings(const QString& person, const QDate& day, int morning, int evening) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        addDay(person, day, v);
    }

    QString addMedication(const QString& person, const QString& name, const QString& category = "Reliever") {
        const auto added = diary.persons.AddMed({"", person, name, "", "", "20240101", category, "Yes"});
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value;
    }
    // A medication taken or a trigger met on a day, whether or not the day has a record.
    void useMedication(const QString& person, const QDate& day, const QString& medId, int times, const QString& name) {
        EXPECT_TRUE(diary.days.AddDlyMed(person, store::keys::dateKey(day), medId, times, name, "Reliever"));
    }
    void meetTrigger(const QString& person, const QDate& day, const QString& trigger) {
        EXPECT_TRUE(diary.days.AddDlyTrg(person, trigger, store::keys::dateKey(day)));
    }

    TempFolder folder;
    store::Diary diary;
};

}  // namespace pulmora::test
