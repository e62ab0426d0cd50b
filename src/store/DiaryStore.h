#pragma once

#include "Schema.h"
#include "files/OwnFiles.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace pulmora::engine {
class Engine;
class Field;
class Table;
class Tag;
}  // namespace pulmora::engine

namespace pulmora::store {

// How the record files are opened. A diary open for reading only opens the existing files
// without write access, creates none that is missing (its table stays absent), and every store
// operation that writes is refused before it touches a file.
enum class Access { ReadWrite, ReadOnly };

// A record file that exists but could not be used. It is left exactly as it was.
struct FileProblem {
    TableId table;
    QString fileName;
    QString reason;
};

// Where a table's cursor stands, for the file-status monitor.
struct TablePosition {
    bool open = false;
    quint32 record = 0;     // 1-based; count + 1 past the end
    double fraction = 0.0;  // position in the selected tag, 0 to 1
    quint32 count = 0;
};

// Owns the table engine and the seven record files for one run of the diary: opening
// (creating only what is missing) and closing. It tells its listeners when a table changed
// and when one was only read, and keeps no state of any window.
class DiaryStore : public QObject {
    Q_OBJECT
public:
    DiaryStore();
    ~DiaryStore() override;

    // The folder that holds the record files.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The path of a record file: an existing file whose name differs only in letter case is
    // used, so a diary copied from a case-insensitive disk is not shadowed by a new empty file.
    QString filePath(TableId id) const { return pathIn(folder_, id); }
    // The same for the record files of any folder.
    static QString pathIn(const QString& folder, TableId id);
    // Whether the folder holds any of the record files, under any letter case.
    static bool holdsRecordFiles(const QString& folder);
    // Why the folder's record file would not open, judged by its header and size alone, with no
    // record read: empty when it would, and when there is no such file.
    static QString headerProblem(const QString& folder, TableId id);

    // Starts the engine and opens every record file, creating those that are missing when the
    // diary is opened for writing.
    void OpenDB(Access access = Access::ReadWrite);
    // Closes every open table and releases the engine.
    void CloseDB();
    bool isOpen() const { return engine_ != nullptr; }
    // Whether all seven tables are open.
    bool allOpen() const;
    bool readOnly() const { return access_ == Access::ReadOnly; }
    // Why the diary is open for reading only, in words for the user; set by whoever opens it so.
    void setReadOnlyReason(const QString& reason) { readOnlyReason_ = reason; }
    QString readOnlyReason() const;
    // For bulk loading only (the sample generator): writes stop waiting for the disk from the
    // next OpenDB on. The program always waits.
    void setWaitForDisk(bool wait) { waitForDisk_ = wait; }

    // Packs each open record file in which enough records are marked deleted (see
    // Writes::packMarked), each by a complete new file renamed over the old one. Meant for when
    // nothing waits on it: the start, after the day's backup. Answers the files whose pack
    // failed, each left as it was and read the same.
    std::vector<FileProblem> packMarked();

    bool has(TableId id) const { return table(id) != nullptr; }
    const std::vector<FileProblem>& fileProblems() const { return problems_; }
    // Record files the diary may read but not write (their permissions, a read-only disk): each
    // is open for reading, and every write to it is refused with the reason given here.
    const std::vector<FileProblem>& unwritableFiles() const { return unwritable_; }
    // Why the open table cannot be written; empty when it can.
    QString unwritableReason(TableId id) const;
    TablePosition position(TableId id) const;

signals:
    // OpenDB has finished: see allOpen and fileProblems.
    void opened();
    // A write to the table reached its file.
    void tableChanged(pulmora::store::TableId id);
    // The table was read, which may have moved its cursor.
    void tableRead(pulmora::store::TableId id);

private:
    // The engine's tables are the store's own: its operations reach them through the bound
    // handles and the writes, its tests through TableAccess.
    template <TableId>
    friend class Bound;
    friend class Writes;
    friend struct TableAccess;

    // An open table with its field and tag handles, in the order of the table's definition.
    struct TableHandles {
        engine::Table* table = nullptr;
        std::vector<engine::Field*> fields;
        std::vector<engine::Tag*> tags;
    };

    // The open table, or nullptr when it is absent.
    engine::Table* table(TableId id) const { return handles_[size_t(id)].table; }
    const TableHandles& handles(TableId id) const { return handles_[size_t(id)]; }
    TableHandles openTable(TableId id);

    QString folder_;
    Access access_ = Access::ReadWrite;
    QString readOnlyReason_;
    std::unique_ptr<engine::Engine> engine_;
    std::array<TableHandles, kTableCount> handles_{};
    std::vector<FileProblem> problems_;
    std::vector<FileProblem> unwritable_;
    bool waitForDisk_ = true;
    // While the diary is open its record files and backups are its own: no file a user names replaces them.
    files::OwnFiles ownFiles_;
};

}  // namespace pulmora::store
