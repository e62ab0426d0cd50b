#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pulmora::engine {

namespace tagorder {
struct Records;
struct Key;
}  // namespace tagorder

enum class FieldType : char { Character = 'C', Date = 'D' };

struct FieldDefinition {
    std::string name;
    FieldType type = FieldType::Character;
    int width = 0;
};

struct TagDefinition {
    std::string name;
    std::string expression;  // one field name, or several joined by '+'
    bool unique = false;
    bool descending = false;
};

// Outcome of a call that may refuse: ok, or why not. A refusal that is not looked at is a lost
// write, so the compiler insists that every status is read.
struct [[nodiscard]] Status {
    bool ok = true;
    std::string reason;

    static Status success() { return {}; }
    static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

class Table;

// A field of an open table. It reads and writes the table's current record.
class Field {
public:
    const std::string& name() const { return name_; }
    FieldType type() const { return type_; }
    int width() const { return width_; }
    int offset() const { return offset_; }

    // The value at full width, blank-padded.
    std::string str() const;
    // The same bytes without a copy, valid until the table moves or changes.
    std::string_view view() const;
    // The value read as a whole number; blanks, text that is not a number, or one of more digits
    // than a whole number holds (19 or more) give 0.
    long long toInt() const;
    // Sets the value, cut or blank-padded to the width. The change reaches the file only
    // through the next append or flush; moving the cursor first drops it, and the next write
    // answers that it was lost.
    void assign(std::string_view text);

private:
    friend class Table;
    Field(Table* table, std::string name, FieldType type, int width, int offset)
        : table_(table), name_(std::move(name)), type_(type), width_(width), offset_(offset) {}

    Table* table_;
    std::string name_;
    FieldType type_;
    int width_;
    int offset_;
};

// A field's bytes within a record, as part of a tag's key.
struct KeySegment {
    int offset;
    int width;
    bool operator==(const KeySegment&) const = default;
};

// An in-memory tag: the table's record numbers in key order. Ties keep record order.
class Tag {
public:
    const std::string& name() const { return definition_.name; }
    const std::string& expression() const { return definition_.expression; }
    bool unique() const { return definition_.unique; }
    bool descending() const { return definition_.descending; }
    int keyLength() const { return keyLength_; }

    // The key of a record (0-based index) as the joined full-width field texts.
    std::string keyOf(uint32_t record) const;

private:
    friend class Table;

    Tag(const Table* table, TagDefinition definition, std::vector<KeySegment> segments);

    tagorder::Records records() const;
    tagorder::Key key() const;
    int compareWithText(uint32_t record, std::string_view text) const;
    bool orderedBefore(uint32_t a, uint32_t b) const;
    size_t indexOf(uint32_t record) const;
    size_t firstMatching(std::string_view prefix) const;
    bool holdsKeyElsewhere(const char* key, uint32_t except) const;
    void remove(uint32_t record);
    void insert(uint32_t record);

    const Table* table_;
    TagDefinition definition_;
    std::vector<KeySegment> segments_;
    int keyLength_ = 0;
    std::vector<uint32_t> order_;
};

// One open dBASE III table. Every record is held in memory; the file is written only by append,
// flush, marking and pack, each of which answers whether it reached the disk. Moving the cursor,
// selecting a tag, reindexing and closing never write: a change still pending then is dropped,
// so memory keeps matching the file, and the next append, flush or pack answers that it was lost
// (writing nothing itself), so the caller hears of it in every build.
class Table {
public:
    // Closes the file; a pending change is not written.
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& path() const { return path_; }
    const std::vector<Field>& fields() const { return fields_; }
    // Field and tag lookups ignore letter case; nullptr when there is none of that name.
    Field* field(std::string_view name);
    Tag* tag(std::string_view name);

    // Rebuilds every tag from the records.
    void reindex();
    // The order of later seeks and walks; nullptr selects record order.
    void selectTag(Tag* tag);
    Tag* selectedTag() const { return selected_; }

    // Whether seeks and walks pass over the records marked deleted, so that a reader sees the
    // table as a pack would leave it. Off unless set.
    void setMarkedHidden(bool hidden) { markedHidden_ = hidden; }

    // Positions on the first record in tag order whose key begins with the text. Answers
    // whether one was found; otherwise the position is where such a key would stand.
    bool seek(std::string_view text);
    // The same, finding a marked record too where marked records are hidden: for a write that
    // recalls the record it finds rather than add a second one of that key.
    bool seekIncludingMarked(std::string_view text);
    // First record in the selected order; false when the table is empty.
    bool top();
    // Same position as top(): a walk starts here.
    void goBof() { top(); }
    // Moves to the next record in the selected order; false once past the last.
    bool skip();
    bool eof() const;

    // Starts a blank new record. Field assignments fill it until append() writes it.
    void appendStart();
    // Writes the new record and files it in every tag; refused (nothing written) when a unique
    // tag already holds its key.
    Status append();

    void markDeleted();
    void recall();
    bool isDeleted() const;

    // Writes a changed current record and waits until it is on disk. Refused, with the record
    // restored, when it would give a unique tag a second record with the same key.
    Status flush();
    // Writes a pending change, then removes marked records: a complete new file is written and
    // renamed over the old one. Refused for a table opened for reading only.
    Status pack();
    // As pack, and removes the given records (1-based numbers) with the marked ones, in the same
    // one replacement of the file: either all of them are gone or none is.
    Status packRemoving(const std::vector<uint32_t>& recordNumbers);
    // Marks the given records (1-based numbers) deleted in the file itself: one byte each,
    // written where the record stands, then one wait for the disk. Records out of range or
    // marked already are passed over; with none left nothing is written. Refused (with the
    // marks it wrote put back) when a write or the sync fails. The tags keep the records, so a
    // seek that includes marked records still finds them to recall.
    Status markRemoved(const std::vector<uint32_t>& recordNumbers);
    // Records marked deleted in the file, which the next pack removes.
    uint32_t markedCount() const { return marked_; }
    // Opened without write access: every write is refused by the file itself.
    bool readOnly() const { return readOnly_; }

    // 1-based number of the current record; count + 1 at the end.
    uint32_t recordNumber() const;
    uint32_t recordCount() const { return count_; }
    // Position of the current record in the selected order, 0 to 1.
    double position() const;

    // Whether writes wait until they are on disk (the default). Only bulk loading of sample data
    // turns this off; the program never does.
    void setWaitForDisk(bool wait) { waitForDisk_ = wait; }

    // Bytes held in memory for records and tags.
    size_t memoryUse() const;

private:
    friend class Field;
    friend class Tag;
    friend class Engine;

    Table(std::string path, int fd, const std::vector<FieldDefinition>& definitions, std::vector<char> image,
          uint32_t count, uint32_t marked, int headerLength);

    static std::unique_ptr<Table> make(std::string path, int fd, const std::vector<FieldDefinition>& definitions,
                                       std::vector<char> image, uint32_t count, uint32_t marked, int headerLength,
                                       const std::vector<TagDefinition>& tags, std::string& reason);
    Status addTags(const std::vector<TagDefinition>& tags);
    // Builds every tag from the records, each from another whose order gives it where one does.
    void buildTags();

    char* recordData(uint32_t record) { return image_.data() + headerLength_ + size_t(record) * recordLength_; }
    const char* recordData(uint32_t record) const {
        return image_.data() + headerLength_ + size_t(record) * recordLength_;
    }
    char* currentBuffer();
    const char* currentBuffer() const;
    void beginChange();
    Status writeChangedRecord();
    // Called before the cursor moves: a change still pending is dropped and kept to be reported.
    void dropPendingChange();
    // Puts the current record back as it is on disk and ends an append in progress.
    void discardPendingChange();
    // A dropped change, once, as the failure of the write that follows it; that write's own
    // change is discarded with it.
    Status reportDroppedChange();
    void moveTo(size_t index);
    // Moves on past marked records where they are hidden.
    void passMarked();
    uint32_t recordAt(size_t index) const;
    size_t orderSize() const { return count_; }
    bool syncFile(std::string& error);
    void restoreBytes(long long offset, const char* bytes, size_t size);
    std::vector<char> headerBytes(uint32_t count) const;

    std::string path_;
    int fd_;
    std::vector<Field> fields_;
    std::vector<std::unique_ptr<Tag>> tags_;
    Tag* selected_ = nullptr;
    int headerLength_;
    int recordLength_;
    uint32_t count_;
    uint32_t marked_;  // records marked deleted in the file, so a pack with nothing to do is known at once
    // The file as it was read or last packed, up to its last record: the header (whose record
    // count is not kept up to date here), then the records, which are.
    std::vector<char> image_;

    size_t index_ = 0;  // position in the selected order; == count_ at the end
    bool appending_ = false;
    std::vector<char> newRecord_;
    bool changed_ = false;
    bool waitForDisk_ = true;
    bool readOnly_ = false;
    bool markedHidden_ = false;
    std::vector<char> before_;  // the current record as on disk, while it has unsaved changes
    std::string dropped_;       // what a cursor move dropped, until a write reports it
};

// Opens and creates tables, and owns every table it opened until closeAll().
class Engine {
public:
    Engine() = default;
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    enum class OpenOutcome { Opened, Missing, Unusable };
    enum class Access { ReadWrite, ReadOnly };
    struct OpenResult {
        Table* table = nullptr;
        OpenOutcome outcome = OpenOutcome::Missing;
        std::string reason;  // why an existing file could not be used
    };

    // A table's fields judged by its header and size alone, without reading a record: whether
    // the file is whole, quickly. A missing file gives no fields and no reason.
    struct Inspection {
        OpenOutcome outcome = OpenOutcome::Missing;
        std::vector<FieldDefinition> fields;
        std::string reason;
    };
    static Inspection inspect(const std::string& path);
    // Opens a table and builds the given tags. A missing file gives no table and no reason; a
    // file that cannot be read or whose layout is damaged is left exactly as it was.
    OpenResult open(const std::string& path, const std::vector<TagDefinition>& tags, Access access = Access::ReadWrite);
    // Creates an empty table, replacing any file of that name.
    OpenResult create(const std::string& path, const std::vector<FieldDefinition>& fields,
                      const std::vector<TagDefinition>& tags);
    void close(Table* table);
    // Applies to the tables opened or created afterwards; see Table::setWaitForDisk.
    void setWaitForDisk(bool wait) { waitForDisk_ = wait; }
    // Closes every table; nothing pending is written.
    void closeAll();

private:
    OpenResult adopt(std::unique_ptr<Table> table);
    std::vector<std::unique_ptr<Table>> tables_;
    bool waitForDisk_ = true;
};

}  // namespace pulmora::engine
