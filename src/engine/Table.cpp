#include "Table.h"

#include "DbfFormat.h"
#include "TagOrder.h"
#include "files/Replacement.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace pulmora::engine {
namespace {

// The most digits a whole number may have and still fit, whatever its digits are.
constexpr size_t kMostDigits = 18;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

int compareBytes(const char* a, const char* b, size_t n) {
    return std::memcmp(a, b, n);  // memcmp compares as unsigned bytes
}

// Where each tag's order comes from when the tags are built: the tag itself, or an earlier
// built one whose key begins with its key.
std::vector<size_t> buildSources(const std::vector<tagorder::Key>& keys) {
    std::vector<size_t> order(keys.size()), source(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) order[i] = source[i] = i;
    // Longer keys first: a key can only be taken from one at least as long.
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a].segments.size() > keys[b].segments.size(); });
    for (size_t k = 0; k < order.size(); ++k)
        for (size_t earlier = 0; earlier < k; ++earlier)
            if (source[order[earlier]] == order[earlier] && tagorder::begins(keys[order[earlier]], keys[order[k]])) {
                source[order[k]] = order[earlier];
                break;
            }
    return source;
}

}  // namespace

// ---- Field -------------------------------------------------------------------------------

std::string Field::str() const { return std::string(view()); }

std::string_view Field::view() const {
    // Past the last record every field reads blank.
    static const std::string blanks(255, ' ');
    const char* record = table_->currentBuffer();
    return record ? std::string_view(record + offset_, size_t(width_))
                  : std::string_view(blanks.data(), size_t(width_));
}

long long Field::toInt() const {
    std::string_view s = trimmed(view());
    if (s.empty()) return 0;
    bool negative = false;
    if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > kMostDigits) return 0;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

void Field::assign(std::string_view text) {
    if (!table_->currentBuffer()) return;
    table_->beginChange();
    char* target = table_->currentBuffer() + offset_;
    const size_t n = std::min(text.size(), size_t(width_));
    // An empty text may have no data at all, which memcpy may not be given.
    std::copy_n(text.data(), n, target);
    std::memset(target + n, ' ', size_t(width_) - n);
}

// ---- Tag ---------------------------------------------------------------------------------

Tag::Tag(const Table* table, TagDefinition definition, std::vector<KeySegment> segments)
    : table_(table), definition_(std::move(definition)), segments_(std::move(segments)) {
    for (const auto& s : segments_) keyLength_ += s.width;
}

tagorder::Records Tag::records() const {
    return {table_->recordData(0), size_t(table_->recordLength_), table_->count_};
}

tagorder::Key Tag::key() const { return {segments_, definition_.descending}; }

std::string Tag::keyOf(uint32_t record) const {
    std::string key;
    key.reserve(size_t(keyLength_));
    const char* data = table_->recordData(record);
    for (const auto& s : segments_) key.append(data + s.offset, size_t(s.width));
    return key;
}

// Compares the record's key, cut to the text's length, with the text.
int Tag::compareWithText(uint32_t record, std::string_view text) const {
    const char* data = table_->recordData(record);
    size_t done = 0;
    for (const auto& s : segments_) {
        if (done >= text.size()) break;
        const size_t n = std::min(size_t(s.width), text.size() - done);
        if (int c = compareBytes(data + s.offset, text.data() + done, n)) return c;
        done += n;
    }
    return 0;
}

bool Tag::orderedBefore(uint32_t a, uint32_t b) const {
    const int c = tagorder::compare(records(), key(), a, b);
    return c != 0 ? c < 0 : a < b;
}

size_t Tag::indexOf(uint32_t record) const {
    auto it = std::lower_bound(order_.begin(), order_.end(), record,
                               [this](uint32_t a, uint32_t b) { return orderedBefore(a, b); });
    return size_t(it - order_.begin());
}

size_t Tag::firstMatching(std::string_view prefix) const {
    auto it = std::partition_point(order_.begin(), order_.end(), [&](uint32_t r) {
        const int c = compareWithText(r, prefix);
        return definition_.descending ? c > 0 : c < 0;
    });
    return size_t(it - order_.begin());
}

bool Tag::holdsKeyElsewhere(const char* record, uint32_t except) const {
    // `record` is a record image laid out like the table's records.
    std::string key;
    for (const auto& s : segments_) key.append(record + s.offset, size_t(s.width));
    for (size_t i = firstMatching(key); i < order_.size(); ++i) {
        if (compareWithText(order_[i], key) != 0) break;
        if (order_[i] != except) return true;
    }
    return false;
}

void Tag::remove(uint32_t record) {
    auto it = std::find(order_.begin(), order_.end(), record);
    if (it != order_.end()) order_.erase(it);
}

void Tag::insert(uint32_t record) {
    auto it = std::upper_bound(order_.begin(), order_.end(), record,
                               [this](uint32_t a, uint32_t b) { return orderedBefore(a, b); });
    order_.insert(it, record);
}

// ---- Table -------------------------------------------------------------------------------

Table::Table(std::string path, int fd, const std::vector<FieldDefinition>& definitions, std::vector<char> image,
             uint32_t count, uint32_t marked, int headerLength)
    : path_(std::move(path)), fd_(fd), headerLength_(headerLength), recordLength_(dbf::recordLength(definitions)),
      count_(count), marked_(marked), image_(std::move(image)) {
    int offset = 1;
    fields_.reserve(definitions.size());
    for (const auto& s : definitions) {
        fields_.push_back(Field(this, s.name, s.type, s.width, offset));
        offset += s.width;
    }
}

Table::~Table() { files::close(fd_); }

std::unique_ptr<Table> Table::make(std::string path, int fd, const std::vector<FieldDefinition>& definitions,
                                   std::vector<char> image, uint32_t count, uint32_t marked, int headerLength,
                                   const std::vector<TagDefinition>& tags, std::string& reason) {
    std::unique_ptr<Table> table(
        new Table(std::move(path), fd, definitions, std::move(image), count, marked, headerLength));
    if (Status s = table->addTags(tags); !s) {
        reason = s.reason;
        table->fd_ = -1;  // the caller still owns the descriptor
        return nullptr;
    }
    table->top();
    return table;
}

Status Table::addTags(const std::vector<TagDefinition>& definitions) {
    for (const auto& definition : definitions) {
        std::vector<KeySegment> segments;
        std::string_view rest = definition.expression;
        while (true) {
            const size_t plus = rest.find('+');
            const std::string_view name = trimmed(rest.substr(0, plus));
            const Field* f = field(name);
            if (!f) {
                return Status::failure("tag " + definition.name + " names the field \"" + std::string(name) +
                                       "\", which the table lacks");
            }
            segments.push_back({f->offset(), f->width()});
            if (plus == std::string_view::npos) break;
            rest.remove_prefix(plus + 1);
        }
        tags_.push_back(std::unique_ptr<Tag>(new Tag(this, definition, std::move(segments))));
    }
    buildTags();
    return Status::success();
}

void Table::buildTags() {
    std::vector<tagorder::Key> keys;
    for (const auto& t : tags_) keys.push_back(t->key());
    const std::vector<size_t> sources = buildSources(keys);
    const tagorder::Records all{recordData(0), size_t(recordLength_), count_};
    for (size_t i = 0; i < tags_.size(); ++i)
        if (sources[i] == i) tags_[i]->order_ = tagorder::sorted(all, keys[i]);
    for (size_t i = 0; i < tags_.size(); ++i)
        if (sources[i] != i)
            tags_[i]->order_ = tagorder::derived(all, keys[i], keys[sources[i]], tags_[sources[i]]->order_);
}

Field* Table::field(std::string_view name) {
    for (auto& f : fields_)
        if (sameName(f.name(), name)) return &f;
    return nullptr;
}

Tag* Table::tag(std::string_view name) {
    for (auto& t : tags_)
        if (sameName(t->name(), name)) return t.get();
    return nullptr;
}

void Table::reindex() {
    dropPendingChange();
    const uint32_t current = index_ < orderSize() ? recordAt(index_) : count_;
    buildTags();
    index_ = current < count_ ? (selected_ ? selected_->indexOf(current) : current) : count_;
}

void Table::selectTag(Tag* tag) {
    dropPendingChange();
    if (tag == selected_) return;
    const uint32_t current = index_ < orderSize() ? recordAt(index_) : count_;
    selected_ = tag;
    if (current < count_) index_ = selected_ ? selected_->indexOf(current) : current;
}

uint32_t Table::recordAt(size_t index) const { return selected_ ? selected_->order_[index] : uint32_t(index); }

char* Table::currentBuffer() {
    if (appending_) return newRecord_.data();
    return index_ < orderSize() ? recordData(recordAt(index_)) : nullptr;
}

const char* Table::currentBuffer() const {
    if (appending_) return newRecord_.data();
    return index_ < orderSize() ? recordData(recordAt(index_)) : nullptr;
}

void Table::beginChange() {
    if (appending_ || changed_) return;
    const char* record = currentBuffer();
    before_.assign(record, record + recordLength_);
    changed_ = true;
}

void Table::dropPendingChange() {
    if (!changed_ && !appending_) return;
    dropped_ = appending_ ? std::string("a new record was dropped before it was appended")
                          : "a change to record " + std::to_string(recordAt(index_) + 1) +
                                " was dropped before it was written";
    discardPendingChange();
}

void Table::discardPendingChange() {
    if (changed_) std::memcpy(recordData(recordAt(index_)), before_.data(), size_t(recordLength_));
    changed_ = false;
    appending_ = false;
}

Status Table::reportDroppedChange() {
    if (dropped_.empty()) return Status::success();
    discardPendingChange();
    return Status::failure(std::exchange(dropped_, {}) + "; nothing was written");
}

void Table::moveTo(size_t index) {
    dropPendingChange();
    index_ = std::min(index, orderSize());
}

void Table::passMarked() {
    while (markedHidden_ && index_ < orderSize() && recordData(recordAt(index_))[0] == dbf::kDeleted) ++index_;
}

bool Table::seek(std::string_view text) {
    if (!selected_) return false;
    text = text.substr(0, size_t(selected_->keyLength()));
    moveTo(selected_->firstMatching(text));
    passMarked();
    return index_ < orderSize() && selected_->compareWithText(recordAt(index_), text) == 0;
}

bool Table::seekIncludingMarked(std::string_view text) {
    const bool hidden = std::exchange(markedHidden_, false);
    const bool found = seek(text);
    markedHidden_ = hidden;
    return found;
}

bool Table::top() {
    moveTo(0);
    passMarked();
    return index_ < orderSize();
}

bool Table::skip() {
    if (appending_ || index_ >= orderSize()) {
        moveTo(orderSize());
        return false;
    }
    moveTo(index_ + 1);
    passMarked();
    return index_ < orderSize();
}

bool Table::eof() const { return !appending_ && index_ >= orderSize(); }

void Table::appendStart() {
    dropPendingChange();
    newRecord_.assign(size_t(recordLength_), ' ');
    newRecord_[0] = dbf::kLive;
    appending_ = true;
}

Status Table::append() {
    if (Status s = reportDroppedChange(); !s) return s;
    if (!appending_) return Status::failure("no new record was started");
    appending_ = false;
    for (const auto& t : tags_) {
        if (t->unique() && t->holdsKeyElsewhere(newRecord_.data(), count_))
            return Status::failure("the key is already in the unique tag " + t->name());
    }
    // The record goes to disk before the header counts it, so a crash between the two leaves
    // a file whose count still matches complete records.
    std::string error;
    const long long at = headerLength_ + (long long)count_ * recordLength_;
    std::vector<char> bytes(newRecord_);
    bytes.push_back(dbf::kEndOfFile);
    if (!files::writeAt(fd_, at, bytes.data(), bytes.size(), error) || !syncFile(error)) return Status::failure(error);
    const std::vector<char> header = headerBytes(count_ + 1);
    if (!files::writeAt(fd_, 0, header.data(), 8, error) || !syncFile(error)) {
        // Without the old count the file could hold a record the caller was told is not there.
        const std::vector<char> old = headerBytes(count_);
        restoreBytes(0, old.data(), 8);
        return Status::failure(error);
    }

    image_.insert(image_.end(), newRecord_.begin(), newRecord_.end());
    if (newRecord_[0] == dbf::kDeleted) ++marked_;
    const uint32_t added = count_++;
    for (auto& t : tags_) t->insert(added);
    index_ = selected_ ? selected_->indexOf(added) : added;
    return Status::success();
}

bool Table::syncFile(std::string& error) { return !waitForDisk_ || files::sync(fd_, error); }

void Table::restoreBytes(long long offset, const char* bytes, size_t size) {
    // Best effort after a failure that is already being reported: if the disk refuses this too,
    // there is nothing better left to do.
    std::string ignored;
    if (files::writeAt(fd_, offset, bytes, size, ignored)) (void)syncFile(ignored);
}

std::vector<char> Table::headerBytes(uint32_t count) const {
    std::vector<FieldDefinition> definitions;
    for (const auto& f : fields_) definitions.push_back({f.name(), f.type(), f.width()});
    return dbf::header(definitions, count);
}

void Table::markDeleted() {
    if (!currentBuffer()) return;
    beginChange();
    currentBuffer()[0] = dbf::kDeleted;
}

void Table::recall() {
    if (!currentBuffer()) return;
    beginChange();
    currentBuffer()[0] = dbf::kLive;
}

bool Table::isDeleted() const {
    const char* record = currentBuffer();
    return record && record[0] == dbf::kDeleted;
}

Status Table::writeChangedRecord() {
    if (!changed_) return Status::success();
    changed_ = false;
    const uint32_t record = recordAt(index_);
    char* data = recordData(record);
    // Fields assigned what they held already: the file holds it too.
    if (std::memcmp(before_.data(), data, size_t(recordLength_)) == 0) return Status::success();

    std::vector<Tag*> refiled;
    for (auto& t : tags_) {
        for (const auto& s : t->segments_) {
            if (std::memcmp(before_.data() + s.offset, data + s.offset, size_t(s.width)) != 0) {
                refiled.push_back(t.get());
                break;
            }
        }
    }
    for (Tag* t : refiled) t->remove(record);

    auto undo = [&](std::string why) {
        std::memcpy(data, before_.data(), size_t(recordLength_));
        for (Tag* t : refiled) t->insert(record);
        if (selected_) index_ = selected_->indexOf(record);
        return Status::failure(std::move(why));
    };
    for (Tag* t : refiled) {
        if (t->unique() && t->holdsKeyElsewhere(data, record))
            return undo("the changed key is already in the unique tag " + t->name());
    }
    std::string error;
    const long long at = headerLength_ + (long long)record * recordLength_;
    if (!files::writeAt(fd_, at, data, size_t(recordLength_), error) || !syncFile(error)) {
        // Part or all of the record may be in the file now; the old one goes back, so the file
        // keeps saying what the caller, told of the failure, expects.
        restoreBytes(at, before_.data(), size_t(recordLength_));
        return undo(error);
    }

    for (Tag* t : refiled) t->insert(record);
    if (selected_) index_ = selected_->indexOf(record);
    if (before_[0] != data[0]) data[0] == dbf::kDeleted ? ++marked_ : --marked_;
    return Status::success();
}

Status Table::flush() {
    if (Status s = reportDroppedChange(); !s) return s;
    if (appending_) return Status::success();
    return writeChangedRecord();
}

Status Table::markRemoved(const std::vector<uint32_t>& recordNumbers) {
    if (readOnly_) return Status::failure(path_ + " is open for reading only");
    if (Status s = flush(); !s) return s;
    dropPendingChange();  // a record started and never appended
    if (Status s = reportDroppedChange(); !s) return s;
    std::vector<uint32_t> marking;
    for (uint32_t number : recordNumbers)
        if (number >= 1 && number <= count_ && recordData(number - 1)[0] != dbf::kDeleted)
            marking.push_back(number - 1);
    std::sort(marking.begin(), marking.end());
    marking.erase(std::unique(marking.begin(), marking.end()), marking.end());
    if (marking.empty()) return Status::success();

    // Each mark is a byte of its own, and any of them may reach the disk before the others: a
    // stop part-way leaves some marked and the rest live, each record whole.
    const char mark = dbf::kDeleted;
    auto offsetOf = [&](uint32_t record) { return headerLength_ + (long long)record * recordLength_; };
    std::string error;
    size_t written = 0;
    while (written < marking.size() && files::writeAt(fd_, offsetOf(marking[written]), &mark, 1, error)) ++written;
    if (written < marking.size() || !syncFile(error)) {
        // The file goes back to what memory holds, so the caller, told of the failure, finds the
        // records it asked for still live.
        const char live = dbf::kLive;
        for (size_t i = 0; i < std::min(written + 1, marking.size()); ++i) restoreBytes(offsetOf(marking[i]), &live, 1);
        return Status::failure(error);
    }
    for (uint32_t record : marking) recordData(record)[0] = dbf::kDeleted;
    marked_ += uint32_t(marking.size());
    return Status::success();
}

Status Table::pack() { return packRemoving({}); }

Status Table::packRemoving(const std::vector<uint32_t>& recordNumbers) {
    if (readOnly_) return Status::failure(path_ + " is open for reading only");
    if (Status s = flush(); !s) return s;
    dropPendingChange();  // a record started and never appended
    if (Status s = reportDroppedChange(); !s) return s;
    if (recordNumbers.empty() && marked_ == 0) {
        // Nothing to remove: the file and the tags are already what a pack would make.
        index_ = 0;
        return Status::success();
    }
    std::vector<bool> removed(count_, false);
    bool any = false;
    for (uint32_t number : recordNumbers) {
        if (number < 1 || number > count_) continue;
        removed[number - 1] = true;
        any = true;
    }
    for (uint32_t r = 0; r < count_; ++r) {
        if (recordData(r)[0] != dbf::kDeleted) continue;
        removed[r] = true;
        any = true;
    }
    if (!any) {
        // Nothing to remove: the file and the tags are already what a pack would make.
        index_ = 0;
        return Status::success();
    }
    std::vector<uint32_t> renumbered(count_, tagorder::kRemoved);
    uint32_t keptCount = 0;
    for (uint32_t r = 0; r < count_; ++r)
        if (!removed[r]) renumbered[r] = keptCount++;
    std::vector<char> file = headerBytes(keptCount);
    const int newHeaderLength = int(file.size());
    file.reserve(file.size() + size_t(keptCount) * size_t(recordLength_) + 1);
    for (uint32_t r = 0; r < count_; ++r) {
        if (removed[r]) continue;
        const char* data = recordData(r);
        file.insert(file.end(), data, data + recordLength_);
    }
    file.push_back(dbf::kEndOfFile);

    // The table takes up the new file before it is renamed into place: once it is there, the
    // old file is gone, and a table still writing to it would lose every later change.
    files::Replacement replacement(path_);
    if (!replacement.begin() || !replacement.write(file.data(), file.size()))
        return Status::failure(replacement.error());
    const int fd = replacement.openCopy();
    if (fd < 0) return Status::failure(replacement.error());
    // Once the new file is in place the table is the new file, even when the folder's sync then
    // failed: memory keeps matching the file, and the failure is still answered.
    const bool committed = replacement.commit();
    if (!replacement.inPlace()) {
        files::close(fd);
        return Status::failure(replacement.error());
    }
    files::close(fd_);
    fd_ = fd;
    file.pop_back();  // the end mark
    image_ = std::move(file);
    headerLength_ = newHeaderLength;
    count_ = keptCount;
    marked_ = 0;
    // The records kept stay in the order they had, so each tag only loses the removed ones.
    for (auto& t : tags_) t->order_ = tagorder::without(t->order_, renumbered);
    index_ = 0;
    return committed ? Status::success() : Status::failure(replacement.error());
}

uint32_t Table::recordNumber() const {
    if (appending_ || index_ >= orderSize()) return count_ + 1;
    return recordAt(index_) + 1;
}

double Table::position() const {
    if (count_ == 0) return 0.0;
    if (index_ >= orderSize()) return 1.0;
    return double(index_ + 1) / double(count_);
}

size_t Table::memoryUse() const {
    size_t bytes = image_.capacity();
    for (const auto& t : tags_) bytes += t->order_.capacity() * sizeof(uint32_t);
    return bytes;
}

// ---- Engine ------------------------------------------------------------------------------

Engine::~Engine() { closeAll(); }

Engine::OpenResult Engine::open(const std::string& path, const std::vector<TagDefinition>& tags, Access access) {
    OpenResult result;
    bool missing = false;
    const int fd = files::openExisting(path, access == Access::ReadWrite, result.reason, missing);
    if (fd < 0) {
        result.outcome = missing ? OpenOutcome::Missing : OpenOutcome::Unusable;
        return result;
    }
    result.outcome = OpenOutcome::Unusable;
    std::vector<char> bytes;
    if (!files::readAll(fd, bytes, result.reason)) {
        files::close(fd);
        return result;
    }
    auto layout = dbf::parse(bytes, result.reason);
    if (!layout) {
        files::close(fd);
        return result;
    }
    auto table = Table::make(path, fd, layout->fields, dbf::image(std::move(bytes), *layout), layout->recordCount,
                             layout->markedCount, layout->headerLength, tags, result.reason);
    if (!table) {
        files::close(fd);
        return result;
    }
    table->readOnly_ = access == Access::ReadOnly;
    return adopt(std::move(table));
}

Engine::Inspection Engine::inspect(const std::string& path) {
    Inspection result;
    bool missing = false;
    const int fd = files::openExisting(path, false, result.reason, missing);
    if (fd < 0) {
        result.outcome = missing ? OpenOutcome::Missing : OpenOutcome::Unusable;
        return result;
    }
    result.outcome = OpenOutcome::Unusable;
    // The header's own length field says how much of the file the header takes.
    std::vector<char> start;
    uint64_t size = 0;
    const bool read =
        files::readStart(fd, size_t(dbf::kHeaderPrefix), start, size, result.reason) && start.size() >= 12 &&
        files::readStart(fd, size_t(uint8_t(start[8]) | uint8_t(start[9]) << 8) + 1, start, size, result.reason);
    files::close(fd);
    if (!read) {
        if (result.reason.empty()) result.reason = "the file is too short to hold a table header";
        return result;
    }
    if (auto layout = dbf::parseHeader(start, size, result.reason)) {
        result.outcome = OpenOutcome::Opened;
        result.fields = std::move(layout->fields);
    }
    return result;
}

Engine::OpenResult Engine::create(const std::string& path, const std::vector<FieldDefinition>& fields,
                                  const std::vector<TagDefinition>& tags) {
    OpenResult result;
    result.outcome = OpenOutcome::Unusable;
    if (!dbf::validFields(fields, result.reason)) return result;
    std::vector<char> file = dbf::header(fields, 0);
    file.push_back(dbf::kEndOfFile);
    if (!files::replaceWhole(path, file, result.reason)) return result;
    return open(path, tags);
}

Engine::OpenResult Engine::adopt(std::unique_ptr<Table> table) {
    OpenResult result;
    result.outcome = OpenOutcome::Opened;
    result.table = table.get();
    table->setWaitForDisk(waitForDisk_);
    tables_.push_back(std::move(table));
    return result;
}

void Engine::close(Table* table) {
    std::erase_if(tables_, [table](const auto& t) { return t.get() == table; });
}

void Engine::closeAll() { tables_.clear(); }

}  // namespace pulmora::engine
