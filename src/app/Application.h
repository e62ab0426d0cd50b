#pragma once

#include "HelpWindow.h"
#include "IniRecord.h"
#include "SingleInstance.h"
#include "TAsDB.h"
#include "WindowOpener.h"
#include "daily/TAsDly.h"
#include "store/Diary.h"

#include <memory>

namespace pulmora::app {

// The program's start and end: the daily card and the store window, the single-copy guard,
// the settings file and the diary; and the windows the cards ask for, with the help window.
class Application {
public:
    // An empty folder means the folder of the running executable.
    explicit Application(const QString& programFolder = {});
    ~Application();

    // Everything up to showing the card. Answers false when another copy runs: it has been asked
    // to come forward and this copy should end without touching the diary.
    bool start();

    daily::TAsDly& card() { return *card_; }
    TAsDB& db() { return *db_; }
    HelpWindow& help() { return *help_; }
    // The single-copy guard, there once start() has run.
    SingleInstance& guard() { return *guard_; }
    store::Diary& diary() { return diary_; }
    const IniRecord& settings() const { return settings_; }
    QString iniPath() const;

private:
    void ReadIni();
    // The settings in the file, or the defaults; answers whether the file had them.
    bool loadSettings();
    void restoreFromBackup();
    void exportDiary(const QString& person, const QString& nickname);
    void WriteIni();
    void bringForward();

    store::Diary diary_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<WindowOpener> windows_;
    std::unique_ptr<daily::TAsDly> card_;
    std::unique_ptr<TAsDB> db_;
    std::unique_ptr<SingleInstance> guard_;
    IniRecord settings_;
};

}  // namespace pulmora::app
