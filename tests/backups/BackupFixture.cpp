#include "BackupFixture.h"
#include "support/CardSaves.h"

#include "files/FaultSeam.h"

#include <algorithm>

namespace pulmora::test {

namespace fs = std::filesystem;

Files filesOf(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = readBytes(entry.path().string());
    return files;
}

std::vector<std::string> foldersIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(folder, missing))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

store::PersonDetails personDetails(const QString& nickname, const QString& gender) {
    store::PersonDetails d;
    d.nickname = nickname;
    d.surname = "Smith";
    d.firstName = nickname;
    d.gender = gender;
    d.birthDate = QDate(1980, 1, 31);
    d.title = "Ms";
    d.best = "400";
    d.predicted = "420";
    d.zoneYellow = "80";
    d.zoneRed = "50";
    return d;
}

void copyTree(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::directory_iterator(to)) fs::remove_all(entry.path());
    fs::copy(from, to, fs::copy_options::recursive);
}

void BackupTest::SetUp() {
    store::clock::setToday(kFirstDay);
    {
        store::Diary d;
        d.files.setFolder(pathOf(diary));
        d.files.OpenDB();
        const auto added = d.persons.AddPer(std::nullopt, personDetails("Jo"));
        ASSERT_TRUE(added) << added.error().toStdString();
    }
    recordDay(diary, kFirstDay.addDays(-2), 350);
    recordDay(diary, kFirstDay.addDays(-1), 360);
    writeBytes(diary.file("pulmora.ini"), std::vector<char>(168, 'i'));
}

void BackupTest::TearDown() {
    files::faults::setHook({});
    store::clock::setToday(QDate());
}

void BackupTest::startOn(const QDate& day) {
    store::clock::setToday(day);
    const auto done = backups().backUpDaily();
    ASSERT_TRUE(done) << done.error().toStdString();
}

void BackupTest::recordDay(const TempFolder& folder, const QDate& day, int morning) {
    store::Diary d;
    d.files.setFolder(pathOf(folder));
    d.files.OpenDB();
    const auto jo = d.persons.GetPerDly(store::Persons::Step::First);
    ASSERT_TRUE(jo);
    store::DayValues v;
    v.morning = morning;
    v.evening = morning + 10;
    v.rating = 2;
    ASSERT_TRUE(cards::saveDay(d, jo->id, day, v));
}

std::vector<QString> BackupTest::recordedDays(const TempFolder& folder) {
    store::Diary d;
    d.files.setFolder(pathOf(folder));
    d.files.OpenDB(store::Access::ReadOnly);
    const auto jo = d.persons.GetPerDly(store::Persons::Step::First);
    std::vector<QString> days;
    if (!jo) return days;
    for (const store::DayRecord& day : d.reports.daysBetween(jo->id, QDate(2000, 1, 1), QDate(2099, 12, 31)))
        days.push_back(day.date.toString("yyyyMMdd"));
    return days;
}

}  // namespace pulmora::test
