#include "Backups.h"

#include "Clock.h"
#include "Definitions.h"
#include "DiaryStore.h"
#include "files/Replacement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace pulmora::store {
namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kBeforeRestore = QStringLiteral("-before-restore");
// Anything under this ending is unfinished: a backup being made or being removed. It is never
// listed, and the next start removes it.
const QString kUnfinished = QStringLiteral(".partial");
// The stages of a restore: written, committed, done.
const QString kStaging = QStringLiteral(".restore-new");
const QString kReady = QStringLiteral(".restore-ready");
const QString kDone = QStringLiteral(".restore-done");
// Written last into the staging folder: what each of its files must be for the restore to count.
const QString kFingerprints = QStringLiteral("restore-fingerprints");
// Where a start moves what it will not use. Neither name is listed; both go with the rotation.
const QString kIncomplete = QStringLiteral("-incomplete");
// The lines before the files' in the fingerprints: the backup restored and the one that keeps
// the replaced files ("kept " alone when there was nothing to keep).
const QByteArray kRestoring = "of ";
const QByteArray kKept = "kept ";
const QString kNoRecordFile = QStringLiteral("it holds no record file");
const QString kDamagedRestore = QStringLiteral("damaged-restore-");

QString cannotBeRead(const QString& fileName, const QString& reason) {
    return QStringLiteral("its %1 cannot be read (%2)").arg(fileName, reason);
}

std::string native(const QString& path) { return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString(); }

Result refusedFor(const std::string& error) { return Result::refused(QString::fromStdString(error)); }

Result makeFolder(const QString& path) {
    std::string error;
    return files::makeFolder(native(path), error) ? Result::done() : refusedFor(error);
}

Result renameDurably(const QString& from, const QString& to) {
    std::string error;
    return files::renameDurably(native(from), native(to), error) ? Result::done() : refusedFor(error);
}

Result removeFile(const QString& path) {
    std::string error;
    return files::removeDurably(native(path), error) ? Result::done() : refusedFor(error);
}

// How the file at that place in Backups::filesIn() is copied: a record file through a link, as
// the engine opens it; the settings file never through one, as the settings code reads and
// writes it (a link there counts as no file, and is replaced rather than written through).
files::Links linksOf(qsizetype file) {
    return file < qsizetype(kAllTables.size()) ? files::Links::Followed : files::Links::NotFollowed;
}

// Whether the file is there to be copied: a link counts only where links are followed.
bool present(const QString& path, files::Links links) {
    const QFileInfo file(path);
    return links == files::Links::Followed ? file.exists() : file.isFile() && !file.isSymLink();
}

// A whole new file in place of any old one, on disk before this returns. Where links are
// followed a link stays a link and its target is replaced; otherwise a link is replaced itself.
Result copyFile(const QString& from, const QString& to, files::Links links) {
    std::vector<char> bytes;
    std::string error;
    if (!files::readFile(native(from), bytes, error, links) ||
        !files::replaceWhole(native(to), bytes, error, {links, false}))
        return refusedFor(error);
    return Result::done();
}

// Live day records, counted without building any tag.
int daysIn(const QString& dailyPath) {
    engine::Engine engine;
    const auto opened = engine.open(native(dailyPath), {}, engine::Engine::Access::ReadOnly);
    if (!opened.table) return -1;
    int days = 0;
    for (bool more = opened.table->top(); more; more = opened.table->skip())
        if (!opened.table->isDeleted()) ++days;
    return days;
}

std::optional<Backup> parseName(const QString& name) {
    static const QRegularExpression shape(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(%1(-\\d+)?)?$").arg(kBeforeRestore));
    const auto match = shape.match(name);
    if (!match.hasMatch()) return std::nullopt;
    const QDate date = QDate::fromString(match.captured(1), kDateFormat);
    if (!date.isValid()) return std::nullopt;
    return Backup{name, date, match.hasCaptured(2), -1, {}};
}

// The day of a folder a start set aside, or none when the name is not one it gives.
QDate setAsideDay(const QString& name) {
    static const QRegularExpression shape(
        QStringLiteral("^(?:(\\d{4}-\\d{2}-\\d{2})%1|%2(\\d{4}-\\d{2}-\\d{2}))(-\\d+)?$")
            .arg(kIncomplete, kDamagedRestore));
    const auto match = shape.match(name);
    if (!match.hasMatch()) return {};
    return QDate::fromString(match.captured(1).isEmpty() ? match.captured(2) : match.captured(1), kDateFormat);
}

}  // namespace

Backups::Backups(const QString& diaryFolder, const QStringList& otherFiles)
    : diaryFolder_(QDir::cleanPath(diaryFolder)), otherFiles_(otherFiles) {}

QString Backups::folderIn(const QString& diaryFolder) {
    return QDir::cleanPath(diaryFolder) + QStringLiteral("/backups");
}

QString Backups::folder() const { return folderIn(diaryFolder_); }

QStringList Backups::filesIn(const QString& folder) const {
    QStringList paths;
    for (TableId id : kAllTables) paths << DiaryStore::pathIn(folder, id);
    for (const QString& name : otherFiles_) paths << QDir(folder).filePath(name);
    return paths;
}

std::vector<Backup> Backups::backups() const {
    std::vector<Backup> found;
    for (const QString& name : QDir(folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (auto backup = parseName(name)) found.push_back(*backup);
    // Newest first; on one day the backup of replaced files after the daily one, which it followed.
    std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) {
        if (a.date != b.date) return a.date > b.date;
        if (a.beforeRestore != b.beforeRestore) return a.beforeRestore;
        return a.name.size() != b.name.size() ? a.name.size() > b.name.size() : a.name > b.name;
    });
    return found;
}

std::vector<Backup> Backups::list() const {
    std::vector<Backup> found = backups();
    for (Backup& backup : found) {
        const QString path = folder() + '/' + backup.name;
        backup.daysRecorded = daysIn(DiaryStore::pathIn(path, TableId::Daily));
        backup.incomplete = incomplete(path);
    }
    return found;
}

Result Backups::copyDiary(const QString& from, const QString& into) const {
    if (const Result made = makeFolder(into); !made) return made;
    const QStringList paths = filesIn(from);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!present(paths[i], linksOf(i))) continue;
        const QString copy = into + '/' + QFileInfo(paths[i]).fileName();
        if (const Result copied = copyFile(paths[i], copy, linksOf(i)); !copied) return copied;
    }
    return Result::done();
}

Result Backups::makeBackup(const QString& name) const {
    const QString unfinished = folder() + '/' + name + kUnfinished;
    if (const Result cleared = removeFolder(unfinished); !cleared) return cleared;
    Result made = copyDiary(diaryFolder_, unfinished);
    if (made) made = renameDurably(unfinished, folder() + '/' + name);
    if (made) return made;
    // What a failed backup wrote would take the room the diary's next save needs, on a full disk.
    if (const Result cleared = removeFolder(unfinished); !cleared)
        return Result::refused(made.error() + "; " + cleared.error());
    return made;
}

Result Backups::removeFolder(const QString& path) const {
    if (!QFileInfo::exists(path) || QDir(path).removeRecursively()) return Result::done();
    return Result::refused(QStringLiteral("cannot remove %1").arg(QDir::toNativeSeparators(path)));
}

Outcome<SetAside> Backups::backUpDaily() {
    Outcome<SetAside> out;
    if (!DiaryStore::holdsRecordFiles(diaryFolder_)) return out;
    if (out.result = makeFolder(folder()); !out) return out;
    for (const QString& name : QDir(folder()).entryList({"*" + kUnfinished}, QDir::Dirs | QDir::NoDotAndDotDot))
        if (out.result = removeFolder(folder() + '/' + name); !out) return out;

    const QDate today = clock::today();
    const QString name = today.toString(kDateFormat);
    const QString todays = folder() + '/' + name;
    if (QFileInfo::exists(todays)) out.value.found = incomplete(todays);
    if (!QFileInfo::exists(todays) || !out.value.found.isEmpty()) {
        if (QFileInfo::exists(todays)) {
            out.value.movedTo = freeName(name + kIncomplete);
            if (out.result = renameDurably(todays, out.value.movedTo); !out) return out;
        }
        if (out.result = makeBackup(name); !out) return out;
    }
    out.result = rotate(today);
    return out;
}

std::vector<QDate> Backups::rotationKeeps(std::vector<QDate> made, const QDate& today) {
    std::sort(made.begin(), made.end(), std::greater<>());
    made.erase(std::unique(made.begin(), made.end()), made.end());
    std::vector<QDate> kept(made.begin(), made.begin() + std::min<std::ptrdiff_t>(kDailyKept, std::ssize(made)));
    const QDate yearAgo = today.addYears(-1);
    // Oldest first, so the first backup met in a month is that month's first.
    std::set<std::pair<int, int>> months;
    for (auto day = made.rbegin(); day != made.rend(); ++day) {
        const bool monthsFirst = months.insert({day->year(), day->month()}).second;
        if (!monthsFirst || *day < yearAgo) continue;
        if (std::find(kept.begin(), kept.end(), *day) == kept.end()) kept.push_back(*day);
    }
    std::sort(kept.begin(), kept.end(), std::greater<>());
    return kept;
}

Result Backups::rotate(const QDate& today) const {
    std::vector<QDate> daily;
    const std::vector<Backup> made = backups();
    for (const Backup& backup : made)
        if (!backup.beforeRestore) daily.push_back(backup.date);
    const std::vector<QDate> kept = rotationKeeps(daily, today);
    for (const Backup& backup : made) {
        if (backup.beforeRestore || std::find(kept.begin(), kept.end(), backup.date) != kept.end()) continue;
        // Renamed first, so a backup half removed is never offered for a restore.
        const QString doomed = folder() + '/' + backup.name + kUnfinished;
        if (const Result renamed = renameDurably(folder() + '/' + backup.name, doomed); !renamed) return renamed;
        if (const Result removed = removeFolder(doomed); !removed) return removed;
    }
    return clearSetAside(kept);
}

Result Backups::clearSetAside(const std::vector<QDate>& keptDaily) const {
    if (keptDaily.size() < size_t(kDailyKept)) return Result::done();
    const QDate oldestKept = keptDaily[size_t(kDailyKept) - 1];
    for (const QString& name : QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QDate day = setAsideDay(name);
        if (!day.isValid() || day >= oldestKept) continue;
        const QString doomed = folder() + '/' + name + kUnfinished;
        if (const Result renamed = renameDurably(folder() + '/' + name, doomed); !renamed) return renamed;
        if (const Result removed = QFileInfo(doomed).isDir() ? removeFolder(doomed) : removeFile(doomed); !removed)
            return removed;
    }
    return Result::done();
}

QString Backups::freeName(const QString& base) const {
    QString name = base;
    for (int n = 2; QFileInfo::exists(folder() + '/' + name); ++n) name = base + '-' + QString::number(n);
    return folder() + '/' + name;
}

QString Backups::missingRecordFile(const QString& folder) {
    if (!DiaryStore::holdsRecordFiles(folder)) return kNoRecordFile;
    for (TableId id : kAllTables)
        if (!QFileInfo::exists(DiaryStore::pathIn(folder, id)))
            return QStringLiteral("%1 is missing from it").arg(QString::fromStdString(definition(id).fileName));
    return {};
}

QString Backups::unreadable(const QString& folder) {
    if (const QString missing = missingRecordFile(folder); !missing.isEmpty()) return missing;
    DiaryStore probe;
    probe.setFolder(folder);
    probe.OpenDB(Access::ReadOnly);
    if (probe.fileProblems().empty()) return {};
    const FileProblem& problem = probe.fileProblems().front();
    return cannotBeRead(problem.fileName, problem.reason);
}

QString Backups::incomplete(const QString& folder) {
    if (const QString missing = missingRecordFile(folder); !missing.isEmpty()) return missing;
    for (TableId id : kAllTables)
        if (const QString problem = DiaryStore::headerProblem(folder, id); !problem.isEmpty())
            return cannotBeRead(QString::fromStdString(definition(id).fileName), problem);
    return {};
}

Outcome<QByteArray> Backups::fingerprints(const QString& folder) const {
    Outcome<QByteArray> out;
    const QStringList paths = filesIn(folder);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        // Present and read as the restore's install takes them.
        const QByteArray name = QFileInfo(paths[i]).fileName().toUtf8();
        if (!present(paths[i], linksOf(i))) {
            out.value += "- " + name + '\n';
            continue;
        }
        std::vector<char> bytes;
        std::string error;
        if (!files::readFile(native(paths[i]), bytes, error, linksOf(i))) {
            out.result = refusedFor(error);
            return out;
        }
        const QByteArray digest =
            QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())), QCryptographicHash::Sha256);
        out.value += digest.toHex() + ' ' + name + '\n';
    }
    return out;
}

Outcome<QString> Backups::restore(const QString& name) {
    const std::vector<Backup> made = backups();
    if (std::none_of(made.begin(), made.end(), [&](const Backup& b) { return b.name == name; }))
        return {Result::refused(QStringLiteral("there is no backup %1").arg(name)), {}};
    const QString source = folder() + '/' + name;
    if (const QString problem = unreadable(source); !problem.isEmpty())
        return {Result::refused(QStringLiteral("the backup %1 cannot be used: %2").arg(name, problem)), {}};

    QString kept;
    if (DiaryStore::holdsRecordFiles(diaryFolder_)) {
        kept = QFileInfo(freeName(clock::today().toString(kDateFormat) + kBeforeRestore)).fileName();
        if (const Result backedUp = makeBackup(kept); !backedUp) return {backedUp, {}};
    }
    const QString staging = folder() + '/' + kStaging;
    if (const Result cleared = removeFolder(staging); !cleared) return {cleared, {}};
    if (const Result copied = copyDiary(source, staging); !copied) return {copied, {}};
    const Outcome<QByteArray> written = fingerprints(staging);
    if (!written) return {written.result, {}};
    const QByteArray commit = kRestoring + name.toUtf8() + '\n' + kKept + kept.toUtf8() + '\n' + written.value;
    std::string error;
    if (!files::replaceWhole(native(staging + '/' + kFingerprints), {commit.begin(), commit.end()}, error))
        return {refusedFor(error), {}};
    if (const Result committed = renameDurably(staging, folder() + '/' + kReady); !committed) return {committed, {}};
    return {install(), kept};
}

// Puts every file of the committed restore in place and removes any the backup did not hold.
// Each step may be repeated after a stop: the staged files stay until all are in place.
Result Backups::install() const {
    const QString ready = folder() + '/' + kReady;
    const QStringList staged = filesIn(ready);
    const QStringList live = filesIn(diaryFolder_);
    for (qsizetype i = 0; i < staged.size(); ++i) {
        const Result step =
            present(staged[i], linksOf(i)) ? copyFile(staged[i], live[i], linksOf(i)) : removeFile(live[i]);
        if (!step) return Result::refused("the restore could not be finished: " + step.error());
    }
    const QString done = folder() + '/' + kDone;
    if (const Result renamed = renameDurably(ready, done); !renamed) return renamed;
    return removeFolder(done);
}

QString Backups::stagedProblem(const QString& ready, UnfinishedRestore& restore, bool& keptRecorded) const {
    if (!QFileInfo(ready).isDir()) return QStringLiteral("it is a file, not a folder");
    if (QDir(ready).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return QStringLiteral("it is empty");
    std::vector<char> bytes;
    std::string error;
    if (!files::readFile(native(ready + '/' + kFingerprints), bytes, error))
        return QStringLiteral("it does not say what it should hold (%1)").arg(QString::fromStdString(error));
    QList<QByteArray> wanted = QByteArray(bytes.data(), qsizetype(bytes.size())).split('\n');
    // A restore committed by an earlier version of the program names neither backup.
    for (; !wanted.isEmpty(); wanted.removeFirst()) {
        if (wanted.front().startsWith(kRestoring))
            restore.restored = QString::fromUtf8(wanted.front().mid(kRestoring.size()));
        else if (wanted.front().startsWith(kKept)) {
            restore.kept = QString::fromUtf8(wanted.front().mid(kKept.size()));
            keptRecorded = true;
        } else
            break;
    }
    const Outcome<QByteArray> found = fingerprints(ready);
    if (!found) return QStringLiteral("it cannot be read (%1)").arg(found.error());
    const QList<QByteArray> got = found.value.split('\n');
    if (wanted.size() != got.size()) return QStringLiteral("what it should hold is not recorded whole");
    const QStringList staged = filesIn(ready);
    for (qsizetype i = 0; i < staged.size(); ++i) {
        const QString name = QFileInfo(staged[i]).fileName();
        // Put in place without a record file, it would leave the diary without that list.
        const bool recordFile = i < qsizetype(kAllTables.size());
        if (got[i].startsWith("- ") && (recordFile || wanted[i] != got[i]))
            return QStringLiteral("%1 is missing from it").arg(name);
        if (wanted[i] == got[i]) continue;
        if (wanted[i].startsWith("- ")) return QStringLiteral("it holds %1, which the restore did not write").arg(name);
        return QStringLiteral("its %1 is not as the restore wrote it").arg(name);
    }
    return {};
}

Result Backups::removeLeftovers() const {
    std::string error;
    if (!files::removeUnfinished(native(diaryFolder_), error)) return refusedFor(error);
    // Earlier versions of the program wrote a replacement under the file's name and ".new".
    for (const QString& path : filesIn(diaryFolder_))
        if (const Result removed = removeFile(path + QStringLiteral(".new")); !removed) return removed;
    return Result::done();
}

Outcome<UnfinishedRestore> Backups::finishRestore() {
    Outcome<UnfinishedRestore> out;
    if (out.result = removeLeftovers(); !out) return out;
    for (const QString& leftover : {kStaging, kDone})
        if (out.result = removeFolder(folder() + '/' + leftover); !out) return out;
    const QString ready = folder() + '/' + kReady;
    if (!QFileInfo::exists(ready)) return out;
    bool keptRecorded = false;
    out.value.found = stagedProblem(ready, out.value, keptRecorded);
    if (!out.value.found.isEmpty()) {
        out.value.restored.clear();
        out.value.kept.clear();
        out.value.movedTo = freeName(kDamagedRestore + clock::today().toString(kDateFormat));
        out.result = renameDurably(ready, out.value.movedTo);
        return out;
    }
    // The restore that committed this kept the files it replaces; one that does not say so
    // (made by hand, or by an earlier version) has them kept now, as a restore would.
    if (!keptRecorded && DiaryStore::holdsRecordFiles(diaryFolder_)) {
        out.value.kept = QFileInfo(freeName(clock::today().toString(kDateFormat) + kBeforeRestore)).fileName();
        if (out.result = makeBackup(out.value.kept); !out) return out;
    }
    out.result = install();
    out.value.finished = out.ok();
    return out;
}

}  // namespace pulmora::store
