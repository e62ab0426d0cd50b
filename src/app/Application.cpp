#include "Application.h"

#include "RestoreWindow.h"
#include "SaveChooser.h"
#include "controls/Pictures.h"
#include "stats/DiaryCsv.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

namespace pulmora::app {

Application::Application(const QString& programFolder) {
    help_ = std::make_unique<HelpWindow>();
    windows_ = std::make_unique<WindowOpener>(diary_, *help_, settings_);
    card_ = std::make_unique<daily::TAsDly>(diary_, *windows_);
    const QIcon icon(QPixmap::fromImage(controls::pictures::appIcon()));
    card_->setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    QApplication::setApplicationName("Pulmora");
    db_ = std::make_unique<TAsDB>(diary_);
    db_->setProgramFolder(programFolder);
    QObject::connect(card_.get(), &daily::TAsDly::closing, [this] {
        help_->close();
        db_->AsthmaClose();
        WriteIni();
    });
    QObject::connect(card_.get(), &daily::TAsDly::restartRequested, [this] { db_->AsthmaStart(*card_); });
    QObject::connect(card_.get(), &daily::TAsDly::restoreRequested, [this] { restoreFromBackup(); });
    QObject::connect(card_.get(), &daily::TAsDly::exportRequested,
                     [this](const QString& person, const QString& nickname) { exportDiary(person, nickname); });
    QObject::connect(card_.get(), &daily::TAsDly::infoChanged, db_.get(), &TAsDB::showMessage);
}

Application::~Application() = default;

QString Application::iniPath() const { return db_->ProgDir() + IniRecord::kFileName; }

bool Application::start() {
    db_->ChkFiles();
    help_->setHelpFolder(helpFolder(db_->programFolder()));
    guard_ = std::make_unique<SingleInstance>(db_->ProgDir());
    if (guard_->ShowOtherCopy()) return false;
    if (guard_->lockProblem().isEmpty()) {
        guard_->listen();
        QObject::connect(guard_.get(), &SingleInstance::showRequested, [this] { bringForward(); });
    } else {
        // Without the lock nothing keeps another copy from writing the same files: this one
        // writes none of them.
        db_->openReadOnly(guard_->lockProblem());
    }

    ReadIni();
    card_->setWindowTitle("Pulmora Daily Card");
    db_->AsthmaStart(*card_);
    return true;
}

bool Application::loadSettings() {
    const std::optional<IniRecord> stored = IniRecord::read(iniPath());
    settings_ = stored.value_or(IniRecord::defaults(db_->ProgDir()));
    return stored.has_value();
}

void Application::ReadIni() {
    if (!loadSettings()) {
        card_->move(4, 4);
        return;
    }
    // A position on a screen that is no longer there would hide the window.
    const QPoint position = settings_.mainWindowPosition();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(position)) {
            card_->move(position);
            return;
        }
    card_->move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(4, 4));
}

void Application::WriteIni() {
    // A copy that opened the diary for reading only writes no file at all.
    if (diary_.files.readOnly()) return;
    settings_.setMainWindowPosition(card_->pos());
    // The old file stays when the new one cannot be written whole. The windows are closing, so
    // the only one left to tell is whoever started the program.
    if (const QString why = settings_.write(iniPath()); !why.isEmpty())
        qWarning("The settings could not be written (%s); the previous settings are kept", qPrintable(why));
}

void Application::restoreFromBackup() {
    if (diary_.files.readOnly()) {
        card_->setInfo("ERROR: The diary is open for reading only, so it cannot be restored from a backup.");
        return;
    }
    RestoreWindow window(db_->backups().list(), card_.get());
    if (window.exec() != QDialog::Accepted || !window.chosen()) return;
    db_->RestoreBackup(*window.chosen(), *card_);
    // The settings file came back with the record files; it is what the program writes on closing.
    loadSettings();
}

void Application::exportDiary(const QString& person, const QString& nickname) {
    const QString path =
        chooseFileToSave(*card_, {"Export Diary to CSV", nickname + " diary.csv", "CSV files (*.csv)", "csv"});
    if (path.isEmpty()) return;
    const stats::DiaryCsv csv = stats::ExportDiaryCsv(diary_.reports, person);
    if (const QString problem = stats::SaveDiaryCsv(csv, path); !problem.isEmpty()) {
        card_->setInfo("ERROR: The diary was not exported: " + problem + ".");
        return;
    }
    card_->setInfo(QStringLiteral("%1 %2 of %3 exported to %4")
                       .arg(csv.days)
                       .arg(csv.days == 1 ? "day" : "days", nickname, QDir::toNativeSeparators(path)));
}

void Application::bringForward() {
    card_->showNormal();
    card_->raise();
    card_->activateWindow();
}

}  // namespace pulmora::app
