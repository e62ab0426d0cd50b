#include "ProgramFiles.h"

#include <QDir>
#include <QFile>

namespace pulmora::app::program_files {

files::OwnFiles claimIn(const QString& diaryFolder) {
    const QDir folder(diaryFolder);
    auto path = [&](const QString& name) { return QFile::encodeName(folder.filePath(name)).toStdString(); };
    return files::OwnFiles({path(kSettings), path(kLock)}, {path(kHelpFolder)});
}

}  // namespace pulmora::app::program_files
