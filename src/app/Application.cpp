#include "Application.h"

#include "DiaryLife.h"
#include "HelpWindow.h"
#include "IniRecord.h"
#include "RestoreWindow.h"
#include "SaveChooser.h"
#include "SingleInstance.h"
#include "StartupNotice.h"
#include "TAsDB.h"
#include "WindowOpener.h"
#include "controls/AccessibleControls.h"
#include "daily/TAsDly.h"
#include "pictures/Pictures.h"
#include "stats/DiaryCsv.h"
#include "store/Clock.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

namespace pulmora::app {
namespace {

// Shows on the card what a start did: the first person on today, with what went wrong before the
// diary opened; or, when no diary could be opened, why.
void showStart(daily::TAsDly& card, const DiaryLife::Start& start) {
    if (!start.opened()) {
        card.selectPerson(std::nullopt);
        card.CalDateChange();
        card.setInfo(QStringLiteral("ERROR: %1, so no diary was opened.").arg(start.problem));
        return;
    }
    card.showDay(start.firstPerson, store::clock::today());
    QStringList said = start.said;
    if (const QString problems = card.problemsText(start.notices); !problems.isEmpty()) said << problems;
    card.setInfo(said.isEmpty() ? QStringLiteral("Welcome to the Pulmora") : said.join(' '));
}

}  // namespace

Application::Application(const QString& programFolder)
    : settings_(std::make_unique<IniRecord>()), life_(std::make_unique<DiaryLife>(diary_, programFolder)) {
    // Before any window exists, so assistive tools read every control through these.
    controls::installAccessibleControls();
    help_ = std::make_unique<HelpWindow>();
    windows_ = std::make_unique<WindowOpener>(diary_, *help_, *settings_);
    card_ = std::make_unique<daily::TAsDly>(diary_, *windows_);
    // Drawn at each size rather than scaled from one, so the title bar, the task bar and the
    // window switcher each show a sharp icon.
    QIcon icon;
    for (const int size : controls::pictures::kAppIconSizes)
        icon.addPixmap(QPixmap::fromImage(controls::pictures::appIcon(size)));
    card_->setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationName("Pulmora");
    db_ = std::make_unique<TAsDB>(diary_);
    QObject::connect(card_.get(), &daily::TAsDly::closing, [this] { closing(); });
    QObject::connect(card_.get(), &daily::TAsDly::restartRequested, [this] { startDiary(); });
    QObject::connect(card_.get(), &daily::TAsDly::restoreRequested, [this] { restoreFromBackup(); });
    QObject::connect(card_.get(), &daily::TAsDly::exportRequested,
                     [this](const store::PersonRef& person) { exportDiary(person); });
    QObject::connect(card_.get(), &daily::TAsDly::infoChanged, db_.get(), &TAsDB::showMessage);
}

Application::~Application() = default;

QString Application::iniPath() const { return life_->ProgDir() + IniRecord::kFileName; }

bool Application::start() { return start(StartupNotice()); }

bool Application::start(const StartupNotice& notice) {
    life_->ChkFiles();
    help_->setHelpFolder(helpFolder(life_->programFolder()));
    guard_ = std::make_unique<SingleInstance>(life_->ProgDir());
    if (guard_->ShowOtherCopy(notice)) return false;
    if (guard_->lockProblem().isEmpty()) {
        guard_->listen();
        QObject::connect(guard_.get(), &SingleInstance::showRequested,
                         [this](const StartupNotice& later) { bringForward(later); });
    } else {
        // Without the lock nothing keeps another copy from writing the same files: this one
        // writes none of them.
        life_->openReadOnly(guard_->lockProblem());
    }

    ReadIni();
    card_->setWindowTitle("Pulmora Daily Card");
    startDiary();
    return true;
}

void Application::startDiary() { showStart(*card_, life_->AsthmaStart()); }

bool Application::loadSettings() {
    const std::optional<IniRecord> stored = IniRecord::read(iniPath());
    *settings_ = stored.value_or(IniRecord::defaults(life_->ProgDir()));
    return stored.has_value();
}

void Application::ReadIni() {
    if (!loadSettings()) {
        card_->move(4, 4);
        return;
    }
    // A position on a screen that is no longer there would hide the window.
    const QPoint position = settings_->mainWindowPosition();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(position)) {
            card_->move(position);
            return;
        }
    card_->move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(4, 4));
}

// The card is closing and its day is saved: the store closes and the settings are written.
void Application::closing() {
    help_->close();
    life_->AsthmaClose();
    db_->close();
    WriteIni();
}

void Application::WriteIni() {
    // A copy that opened the diary for reading only writes no file at all.
    if (diary_.files.readOnly()) return;
    settings_->setMainWindowPosition(card_->pos());
    // The old file stays when the new one cannot be written whole. The windows are closing, so
    // the only one left to tell is whoever started the program.
    if (const QString why = settings_->write(iniPath()); !why.isEmpty())
        qWarning("The settings could not be written (%s); the previous settings are kept", qPrintable(why));
}

void Application::restoreFromBackup() {
    if (diary_.files.readOnly()) {
        card_->setInfo("ERROR: The diary is open for reading only, so it cannot be restored from a backup.");
        return;
    }
    RestoreWindow window(life_->backups().list(), card_.get());
    help_->offerContentsOnF1(window);
    if (window.exec() != QDialog::Accepted || !window.chosen()) return;
    restoreBackup(*window.chosen());
}

void Application::restoreBackup(const store::Backup& backup) {
    const DiaryLife::Restore restore = life_->RestoreBackup(backup);
    showStart(*card_, restore.start);
    if (!restore.restored) {
        card_->showFileProblems(QStringList{restore.said} + restore.start.notices);
    } else {
        const QString problems = card_->problemsText(restore.start.notices);
        card_->setInfo(problems.isEmpty() ? restore.said : restore.said + ' ' + problems);
    }
    // The settings file came back with the record files; it is what the program writes on closing.
    loadSettings();
}

void Application::exportDiary(const store::PersonRef& person) {
    const QString path =
        chooseFileToSave(*card_, {"Export Diary to CSV", person.nickname + " diary.csv", "CSV files (*.csv)", "csv"});
    if (path.isEmpty()) return;
    const stats::DiaryCsv csv = stats::ExportDiaryCsv(diary_.reports, person.id);
    if (const QString problem = stats::SaveDiaryCsv(csv, path); !problem.isEmpty()) {
        card_->setInfo("ERROR: The diary was not exported: " + problem + ".");
        return;
    }
    card_->setInfo(QStringLiteral("%1 %2 of %3 exported to %4")
                       .arg(csv.days)
                       .arg(csv.days == 1 ? "day" : "days", person.nickname, QDir::toNativeSeparators(path)));
}

void Application::bringForward(const StartupNotice& notice) { raiseUnder(*card_, notice); }

}  // namespace pulmora::app
