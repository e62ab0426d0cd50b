#pragma once

#include "store/Diary.h"

#include <QString>

#include <memory>

namespace pulmora::daily {
class TAsDly;
}
namespace pulmora::store {
struct Backup;
}

namespace pulmora::app {

class DiaryLife;
class HelpWindow;
class IniRecord;
class SingleInstance;
struct StartupNotice;
class TAsDB;
class WindowOpener;

// The program's start and end: the daily card and the store window, the single-copy guard,
// the settings file and the diary's life; and the windows the cards ask for, with the help
// window. The cards ask the program, never each other: what the diary's life did is shown on
// the card through the card's own operations.
class Application {
public:
    // An empty folder means the folder of the running executable.
    explicit Application(const QString& programFolder = {});
    ~Application();

    // Everything up to showing the card. Answers false when another copy runs: it has been asked
    // to come forward, under the desktop's notice of this start, and this copy should end
    // without touching the diary.
    bool start(const StartupNotice& notice);
    bool start();

    daily::TAsDly& card() { return *card_; }
    TAsDB& db() { return *db_; }
    DiaryLife& life() { return *life_; }
    HelpWindow& help() { return *help_; }
    // The single-copy guard, there once start() has run.
    SingleInstance& guard() { return *guard_; }
    store::Diary& diary() { return diary_; }
    const IniRecord& settings() const { return *settings_; }
    QString iniPath() const;
    // Puts the backup back in place of the diary and starts it again; the card says how it went.
    void restoreBackup(const store::Backup& backup);

private:
    void ReadIni();
    // The settings in the file, or the defaults; answers whether the file had them.
    bool loadSettings();
    // Starts the diary (again) and shows the card on its first person today.
    void startDiary();
    void restoreFromBackup();
    void exportDiary(const store::PersonRef& person);
    void closing();
    void WriteIni();
    void bringForward(const StartupNotice& notice);

    store::Diary diary_;
    std::unique_ptr<IniRecord> settings_;
    std::unique_ptr<DiaryLife> life_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<WindowOpener> windows_;
    std::unique_ptr<daily::TAsDly> card_;
    std::unique_ptr<TAsDB> db_;
    std::unique_ptr<SingleInstance> guard_;
};

}  // namespace pulmora::app
