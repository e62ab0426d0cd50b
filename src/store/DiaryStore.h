#pragma once

#include "Schema.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace pulmora::store {

// What the file-status monitor shows: the status texts of the person and day files.
struct MonitorState {
    QString personal;
    QString daily;
    bool drawn = false;  // the monitor is first drawn once every file has opened
};

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

// Owns the table engine and the seven record files for one run of the diary: opening
// (creating only what is missing), closing, and the file-status monitor.
class DiaryStore {
public:
    DiaryStore();
    ~DiaryStore();
    DiaryStore(const DiaryStore&) = delete;
    DiaryStore& operator=(const DiaryStore&) = delete;

    // The folder that holds the record files.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The path of a record file: an existing file whose name differs only in letter case is
    // used, so a diary copied from a case-insensitive disk is not shadowed by a new empty file.
    QString filePath(TableId id) const { return pathIn(folder_, id); }
    // Whether the folder holds any of the record files, under any letter case.
    static bool holdsRecordFiles(const QString& folder);

    // Starts the engine and opens every record file, creating those that are missing when the
    // diary is opened for writing.
    void OpenDB(Access access = Access::ReadWrite);
    // Closes every open table and releases the engine.
    void CloseDB();
    bool isOpen() const { return engine_ != nullptr; }
    bool readOnly() const { return access_ == Access::ReadOnly; }
    // Why the diary is open for reading only, in words for the user; set by whoever opens it so.
    void setReadOnlyReason(const QString& reason) { readOnlyReason_ = reason; }
    QString readOnlyReason() const;
    // For bulk loading only (the sample generator): writes stop waiting for the disk from the
    // next OpenDB on. The program always waits.
    void setWaitForDisk(bool wait) { waitForDisk_ = wait; }

    // The open table, or nullptr when it is absent.
    engine::Table* table(TableId id) const { return tables_[size_t(id)]; }
    bool has(TableId id) const { return table(id) != nullptr; }
    const std::vector<FileProblem>& fileProblems() const { return problems_; }

    // Recomputes the monitor's status texts and tells the listener.
    void ShowFState();
    const MonitorState& monitor() const { return monitor_; }
    void setMonitorVisible(bool visible) { monitorVisible_ = visible; }
    bool monitorVisible() const { return monitorVisible_; }
    void setMonitorListener(std::function<void()> listener) { monitorListener_ = std::move(listener); }

    // "File Not Open", or record number, position percentage and record count: "12:75%:16".
    static QString statusText(const engine::Table* table);

private:
    static QString pathIn(const QString& folder, TableId id);
    engine::Table* openTable(TableId id);

    QString folder_;
    Access access_ = Access::ReadWrite;
    QString readOnlyReason_;
    std::unique_ptr<engine::Engine> engine_;
    std::array<engine::Table*, kTableCount> tables_{};
    std::vector<FileProblem> problems_;
    MonitorState monitor_;
    bool monitorVisible_ = false;
    bool waitForDisk_ = true;
    std::function<void()> monitorListener_;
};

}  // namespace pulmora::store
