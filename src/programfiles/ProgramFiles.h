#pragma once

#include "files/OwnFiles.h"

#include <QString>

// The files the program keeps in a diary folder beside the store's record files and backups: the
// settings file, the single-copy lock and the help pages. The program and the report tool claim
// them, with the store's, as the diary's own, so that no file a user names replaces them.
namespace pulmora::app::program_files {

inline const QString kSettings = QStringLiteral("pulmora.ini");
inline const QString kLock = QStringLiteral("pulmora.lock");
inline const QString kHelpFolder = QStringLiteral("help");

// Claims the settings file, the lock and the help folder of the diary in `diaryFolder`.
files::OwnFiles claimIn(const QString& diaryFolder);

}  // namespace pulmora::app::program_files
