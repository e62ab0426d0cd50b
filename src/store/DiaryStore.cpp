#include "DiaryStore.h"

#include "Backups.h"
#include "Definitions.h"
#include "Writes.h"
#include "engine/Table.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace pulmora::store {
namespace {

// A field list that differs from the table's definition would have later operations read and
// write the wrong bytes, so such a file is left alone.
QString fieldMismatch(const std::vector<engine::FieldDefinition>& fields, const TableDefinition& def) {
    if (fields.size() != def.fields.size())
        return QStringLiteral("it has %1 fields where %2 are expected").arg(fields.size()).arg(def.fields.size());
    for (const auto& expected : def.fields) {
        const QString name = QString::fromStdString(expected.name);
        const auto f = std::find_if(fields.begin(), fields.end(), [&](const engine::FieldDefinition& field) {
            return QString::fromStdString(field.name).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (f == fields.end()) return QStringLiteral("it has no field %1").arg(name);
        if (f->type != expected.type || f->width != expected.width)
            return QStringLiteral("its field %1 is not of type %2 and width %3")
                .arg(name)
                .arg(QChar(char(expected.type)))
                .arg(expected.width);
    }
    return {};
}

std::vector<engine::FieldDefinition> fieldsOf(const engine::Table& table) {
    std::vector<engine::FieldDefinition> fields;
    for (const engine::Field& f : table.fields()) fields.push_back({f.name(), f.type(), f.width()});
    return fields;
}

std::string nativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

DiaryStore::DiaryStore() = default;

DiaryStore::~DiaryStore() { CloseDB(); }

void DiaryStore::setFolder(const QString& folder) { folder_ = folder; }

QString DiaryStore::pathIn(const QString& folder, TableId id) {
    const QString name = QString::fromStdString(definition(id).fileName);
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    }
    return dir.filePath(name);
}

bool DiaryStore::holdsRecordFiles(const QString& folder) {
    return std::any_of(kAllTables.begin(), kAllTables.end(),
                       [&](TableId id) { return QFileInfo::exists(pathIn(folder, id)); });
}

void DiaryStore::OpenDB(Access access) {
    CloseDB();
    access_ = access;
    engine_ = std::make_unique<engine::Engine>();
    engine_->setWaitForDisk(waitForDisk_);
    problems_.clear();
    unwritable_.clear();
    for (TableId id : kAllTables) handles_[size_t(id)] = openTable(id);
    std::vector<std::string> recordFiles;
    recordFiles.reserve(kAllTables.size());
    for (TableId id : kAllTables) recordFiles.push_back(nativePath(filePath(id)));
    ownFiles_ = files::OwnFiles(std::move(recordFiles), {nativePath(Backups::folderIn(folder_))});
    emit opened();
}

bool DiaryStore::allOpen() const {
    return std::all_of(handles_.begin(), handles_.end(), [](const TableHandles& h) { return h.table; });
}

DiaryStore::TableHandles DiaryStore::openTable(TableId id) {
    const TableDefinition& def = definition(id);
    const std::string path = nativePath(filePath(id));
    auto report = [&](const QString& reason) {
        problems_.push_back({id, QString::fromStdString(def.fileName), reason});
        return TableHandles{};
    };

    auto opened = engine_->open(path, def.tags,
                                readOnly() ? engine::Engine::Access::ReadOnly : engine::Engine::Access::ReadWrite);
    if (opened.outcome == engine::Engine::OpenOutcome::Missing) {
        if (readOnly()) return TableHandles{};
        opened = engine_->create(path, def.fields, def.tags);
    }
    // A file that cannot be opened for writing may still be read: its table is shown, and only
    // the writes to it are refused.
    if (opened.outcome == engine::Engine::OpenOutcome::Unusable && !readOnly()) {
        auto reading = engine_->open(path, def.tags, engine::Engine::Access::ReadOnly);
        if (reading.table) {
            unwritable_.push_back({id, QString::fromStdString(def.fileName), QString::fromStdString(opened.reason)});
            opened = reading;
        }
    }
    if (!opened.table) return report(QString::fromStdString(opened.reason));
    if (const QString mismatch = fieldMismatch(fieldsOf(*opened.table), def); !mismatch.isEmpty()) {
        engine_->close(opened.table);
        return report(mismatch);
    }
    // What a user sees is what a pack would leave: records another program marked deleted are
    // gone for every read, as they are for the next pack.
    opened.table->setMarkedHidden(true);
    // The layout is checked, so every field and tag of the definition is there.
    TableHandles h{opened.table, {}, {}};
    for (const auto& f : def.fields) h.fields.push_back(opened.table->field(f.name));
    for (const auto& t : def.tags) h.tags.push_back(opened.table->tag(t.name));
    return h;
}

std::vector<FileProblem> DiaryStore::packMarked() {
    std::vector<FileProblem> failed;
    for (TableId id : kAllTables)
        if (const Result r = Writes(*this).packMarked(id); !r)
            failed.push_back({id, QString::fromStdString(definition(id).fileName), r.error()});
    return failed;
}

void DiaryStore::CloseDB() {
    if (engine_) engine_->closeAll();
    engine_.reset();
    handles_.fill(TableHandles{});
    ownFiles_ = {};
}

QString DiaryStore::headerProblem(const QString& folder, TableId id) {
    const auto inspected = engine::Engine::inspect(nativePath(pathIn(folder, id)));
    switch (inspected.outcome) {
    case engine::Engine::OpenOutcome::Missing: return {};
    case engine::Engine::OpenOutcome::Unusable: return QString::fromStdString(inspected.reason);
    case engine::Engine::OpenOutcome::Opened: break;
    }
    return fieldMismatch(inspected.fields, definition(id));
}

QString DiaryStore::unwritableReason(TableId id) const {
    const auto file =
        std::find_if(unwritable_.begin(), unwritable_.end(), [id](const FileProblem& p) { return p.table == id; });
    return file == unwritable_.end() || !has(id) ? QString() : file->reason;
}

QString DiaryStore::readOnlyReason() const {
    return readOnlyReason_.isEmpty() ? QStringLiteral("it was opened for reading only") : readOnlyReason_;
}

TablePosition DiaryStore::position(TableId id) const {
    const engine::Table* t = table(id);
    if (!t) return {};
    return {true, t->recordNumber(), t->position(), t->recordCount()};
}

}  // namespace pulmora::store
