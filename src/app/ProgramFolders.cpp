#include "ProgramFolders.h"

#include "programfiles/ProgramFiles.h"
#include "store/DiaryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace pulmora::app {
namespace {

QString withSlash(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

bool writable(const QString& folder) { return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0; }

// Makes the folder and each missing parent for its owner only, as the data folders of a user's
// home are meant to be made. A folder that is already there keeps the permissions it has.
// Answers why it could not be made, or nothing.
QString makeForOwnerOnly(const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    QString prefix;
    for (const QString& part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        prefix += QLatin1Char('/') + part;
        if (::mkdir(QFile::encodeName(prefix).constData(), 0700) != 0 && errno != EEXIST)
            return QStringLiteral("The diary folder %1 could not be made (%2)").arg(shown, std::strerror(errno));
    }
    if (!QFileInfo(folder).isDir()) return QStringLiteral("The diary folder %1 is not a folder").arg(shown);
    return {};
}

// CMake leaves its cache at the top of every build folder, so a folder at or below one holding
// it belongs to a build, which a clean or a fresh build deletes with everything in it.
bool insideBuildTree(const QString& folder) {
    for (QDir dir(folder);;) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral("CMakeCache.txt")))) return true;
        if (!dir.cdUp()) return false;
    }
}

}  // namespace

DiaryFolder DiaryFolder::choose(const QString& programFolder, const QString& userFolder) {
    DiaryFolder chosen;
    const QString program = withSlash(programFolder);
    const bool besideProgram =
        store::DiaryStore::holdsRecordFiles(program) || (installedDataFolder(program).isEmpty() && writable(program));
    if (besideProgram && !insideBuildTree(program)) {
        chosen.path_ = program;
        return chosen;
    }
    chosen.place_ = Place::PerUser;
    if (userFolder.isEmpty()) {
        chosen.problem_ = QStringLiteral("There is no data folder for this user to keep the diary in");
        return chosen;
    }
    chosen.path_ = withSlash(userFolder);
    chosen.problem_ = makeForOwnerOnly(chosen.path_);
    return chosen;
}

QString DiaryFolder::userDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString installedDataFolder(const QString& programFolder) {
    const QString folder = withSlash(QDir(programFolder).filePath(QStringLiteral(PULMORA_DATA_FROM_BIN)));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString helpFolder(const QString& programFolder) {
    const QString beside = QDir(programFolder).filePath(program_files::kHelpFolder);
    if (QFileInfo(beside).isDir()) return beside;
    const QString installed = installedDataFolder(programFolder);
    return installed.isEmpty() ? beside : installed + program_files::kHelpFolder;
}

}  // namespace pulmora::app
