#include "app/Application.h"
#include "app/DiaryLife.h"
#include "app/HelpWindow.h"
#include "app/SingleInstance.h"
#include "daily/TAsDly.h"
#include "output/PictureFile.h"
#include "output/Printing.h"
#include "pages/ReportPage.h"
#include "reports/MonthlyBasic.h"
#include "stats/DiaryCsv.h"
#include "store/Clock.h"
#include "support/CardSaves.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QTextBrowser>

#include <clocale>
#include <filesystem>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

const QDate kToday{2024, 6, 15};

QString named(const fs::path& path) { return QString::fromStdString(path.string()); }

// Sets the C library's locale for a test and puts the one before back afterwards.
class LocaleForTest {
public:
    explicit LocaleForTest(const char* locale) : before_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, locale) != nullptr;
    }
    ~LocaleForTest() { std::setlocale(LC_ALL, before_.c_str()); }
    bool set() const { return set_; }

private:
    std::string before_;
    bool set_ = false;
};

// The person Zoë with a reading on each of the last ten days.
store::PersonId addZoe(const QString& folder) {
    store::Diary diary;
    diary.files.setFolder(folder);
    diary.files.OpenDB();
    store::PersonDetails details;
    details.nickname = QStringLiteral("Zoë");
    details.surname = QStringLiteral("Müller");
    details.firstName = QStringLiteral("Zoë");
    details.gender = "Female";
    details.best = "400";
    details.predicted = "420";
    details.zoneYellow = "80";
    details.zoneRed = "50";
    const store::PersonId zoe = diary.persons.AddPer(std::nullopt, details).value.value().id;
    for (int day = 0; day < 10; ++day) {
        store::DayValues v;
        v.morning = 300 + day;
        EXPECT_TRUE(cards::saveDay(diary, zoe, kToday.addDays(-day), v));
    }
    diary.files.CloseDB();
    return zoe;
}

// A home folder named in other letters than English ones, under a locale that knows no letter
// beyond ASCII and under one that knows them all: the program keeps its diary, backups, settings,
// lock and help there, restores a backup, and prints, saves and exports into such a folder.
TEST(ForeignNamesTest, EveryFileOfTheProgramWorksUnderAnyName) {
    store::clock::setToday(kToday);
    for (const char* locale : {"C", "C.UTF-8"}) {
        LocaleForTest inLocale(locale);
        ASSERT_TRUE(inLocale.set()) << locale;
        TempFolder home;
        const fs::path program = home.path() / "Zoë Müller" / "Программы" / "日記";
        const fs::path documents = home.path() / "Zoë Müller" / "Médecin";
        fs::create_directories(program);
        fs::create_directories(documents);
        writeBytes((program / "pulmora").string(), {});
        fs::copy(PULMORA_HELP_DIR, program / "help", fs::copy_options::recursive);
        const store::PersonId zoe = addZoe(named(program));

        auto app = std::make_unique<app::Application>(named(program));
        ASSERT_TRUE(app->start()) << locale;
        EXPECT_TRUE(app->card().info().startsWith("Welcome")) << locale << ": " << app->card().info().toStdString();
        EXPECT_TRUE(app->guard().lockProblem().isEmpty()) << app->guard().lockProblem().toStdString();
        EXPECT_TRUE(fs::exists(program / "pulmora.lock")) << locale;
        EXPECT_TRUE(fs::exists(program / "backups" / "2024-06-15" / "Daily.dat")) << locale;

        app->help().showTopic("BasicDailyCard");
        EXPECT_EQ(app->help().currentPage(), "BasicDailyCard") << locale;
        const auto* page = app->help().findChild<QTextBrowser*>();
        ASSERT_NE(page, nullptr);
        EXPECT_FALSE(page->toPlainText().contains("Help is not available")) << locale;
        app->help().close();

        // The day recorded after the backup goes again with the restore.
        store::DayValues later;
        later.morning = 444;
        ASSERT_TRUE(cards::saveDay(app->diary(), zoe, kToday.addDays(-20), later));
        app->restoreBackup(app->life().backups().list().front());
        EXPECT_TRUE(app->card().info().startsWith("Restored the backup of")) << app->card().info().toStdString();
        EXPECT_EQ(app->diary().days.ChkDly(zoe, kToday.addDays(-20)), -1) << locale;

        const reports::ReportResult report = reports::MonthlyBasic(app->diary().reports, zoe, kToday, 1.0);
        ASSERT_TRUE(report.available) << locale;
        const output::PrintOutcome printed =
            output::printToPdf(named(documents / "résumé.pdf"), reports::PrintAsthmaReport(report));
        EXPECT_TRUE(printed.ok()) << locale << ": " << printed.error().toStdString();
        for (const auto kind : {output::PictureKind::Jpeg, output::PictureKind::Bitmap}) {
            const QString path = output::pictureTargetPath(named(documents), "résumé", kind);
            const output::WriteResult saved = output::savePicture(reports::savedReportPicture(report), path, kind);
            EXPECT_TRUE(saved.ok()) << locale << ": " << saved.error().toStdString();
        }
        const QString exported = stats::SaveDiaryCsv(stats::ExportDiaryCsv(app->diary().reports, zoe),
                                                     named(documents / "Zoë — journal.csv"));
        EXPECT_TRUE(exported.isEmpty()) << exported.toStdString();

        app->card().close();
        EXPECT_EQ(readBytes((program / "pulmora.ini").string()).size(), 168u) << locale;
        EXPECT_EQ(namesIn(documents),
                  (std::vector<std::string>{"Zoë — journal.csv", "résumé.bmp", "résumé.jpg", "résumé.pdf"}))
            << locale;
    }
    store::clock::setToday(QDate());
}

}  // namespace
}  // namespace pulmora::test
