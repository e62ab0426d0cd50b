#include "Application.h"

#include "controls/Pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

namespace pulmora::app {

Application::Application(const QString& programFolder) {
    help_ = std::make_unique<HelpWindow>();
    windows_ = std::make_unique<WindowOpener>(diary_, *help_);
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
}

Application::~Application() = default;

QString Application::iniPath() const { return db_->ProgDir() + "pulmora.ini"; }

bool Application::start() {
    db_->ChkFiles();
    help_->setHelpFolder(db_->ProgDir() + "help");
    guard_ = std::make_unique<SingleInstance>(db_->ProgDir());
    if (guard_->ShowOtherCopy()) return false;
    guard_->listen();
    QObject::connect(guard_.get(), &SingleInstance::showRequested, [this] { bringForward(); });

    ReadIni();
    card_->setWindowTitle("Pulmora Daily Card");
    db_->AsthmaStart(*card_);
    return true;
}

void Application::ReadIni() {
    const QString path = iniPath();
    settings_ = IniRecord::read(path, db_->ProgDir());
    if (!QFileInfo::exists(path) || QFileInfo(path).size() < IniRecord::kSize) {
        card_->move(4, 4);
        return;
    }
    // A position on a screen that is no longer there would hide the window.
    const QPoint stored = settings_.mainWindowPosition();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(stored)) {
            card_->move(stored);
            return;
        }
    card_->move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(4, 4));
}

void Application::WriteIni() {
    settings_.setMainWindowPosition(card_->pos());
    settings_.write(iniPath());
}

void Application::bringForward() {
    card_->showNormal();
    card_->raise();
    card_->activateWindow();
}

}  // namespace pulmora::app
