#include "TagOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace pulmora::engine::tagorder {
namespace {

// Most keys are told apart by their first 16 bytes, so a record's place is sorted on those as
// two big-endian numbers, complemented for a descending key so that ascending numbers stand for
// descending keys; only records whose first 16 bytes agree compare the rest of their keys.
constexpr int kPrefix = 16;

uint64_t bigEndian(const unsigned char* bytes) {
    uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return std::endian::native == std::endian::little ? __builtin_bswap64(value) : value;
}

struct Entry {
    uint64_t high = 0, low = 0;
    uint32_t record = 0;
};

// With no more runs than this in record order, merging them is quicker than sorting afresh: a
// diary written day by day, one person after another, is a few long runs in most tags.
constexpr size_t kMergedRuns = 32;

class Sorter {
public:
    Sorter(const Records& records, const Key& key) : records_(records), key_(key) {
        int length = 0;
        for (const Segment& s : key.segments) length += s.width;
        longKey_ = length > kPrefix;
    }

    std::vector<Entry> entries() const {
        std::vector<Entry> entries(records_.count);
        for (uint32_t r = 0; r < records_.count; ++r) entries[r] = entryOf(r);
        return entries;
    }

    // Keys only: negative, zero or positive.
    int keyOrder(const Entry& a, const Entry& b) const {
        if (a.high != b.high) return a.high < b.high ? -1 : 1;
        if (a.low != b.low) return a.low < b.low ? -1 : 1;
        return longKey_ ? restOrder(a.record, b.record) : 0;
    }
    bool before(const Entry& a, const Entry& b) const {
        const int c = keyOrder(a, b);
        return c != 0 ? c < 0 : a.record < b.record;
    }

    // Equal keys are already in record order; runs that fall strictly are turned round (they
    // hold no equal keys, so that keeps every tie as it was) and the runs merged.
    bool mergeRuns(std::vector<Entry>& entries) const {
        std::vector<size_t> starts;
        for (size_t i = 0; i < entries.size();) {
            if (starts.size() == kMergedRuns) return false;
            starts.push_back(i);
            size_t j = i + 1;
            if (j < entries.size() && keyOrder(entries[i], entries[j]) > 0) {
                while (j < entries.size() && keyOrder(entries[j - 1], entries[j]) > 0) ++j;
                std::reverse(entries.begin() + long(i), entries.begin() + long(j));
            } else {
                while (j < entries.size() && keyOrder(entries[j - 1], entries[j]) <= 0) ++j;
            }
            i = j;
        }
        starts.push_back(entries.size());
        std::vector<Entry> merged(entries.size());
        auto less = [this](const Entry& a, const Entry& b) { return before(a, b); };
        // `starts` ends with the end of the last run. Runs are merged in pairs, round by round; an
        // odd run out is merged with nothing, which copies it.
        while (starts.size() > 2) {
            std::vector<size_t> next;
            for (size_t k = 0; k + 1 < starts.size(); k += 2) {
                const auto first = entries.begin() + long(starts[k]);
                const auto middle = entries.begin() + long(starts[k + 1]);
                const auto last = entries.begin() + long(k + 2 < starts.size() ? starts[k + 2] : starts[k + 1]);
                std::merge(first, middle, middle, last, merged.begin() + long(starts[k]), less);
                next.push_back(starts[k]);
            }
            next.push_back(entries.size());
            entries.swap(merged);
            starts.swap(next);
        }
        return true;
    }

    // A stable least-significant-digit radix sort over the bytes of the first 16 that differ
    // between records, then the rest of long keys where the first 16 bytes agree.
    void radixSort(std::vector<Entry>& entries) const {
        uint64_t highDiffers = 0, lowDiffers = 0;
        for (const Entry& e : entries) {
            highDiffers |= e.high ^ entries.front().high;
            lowDiffers |= e.low ^ entries.front().low;
        }
        std::vector<Entry> buffer(entries.size());
        for (int byte = kPrefix - 1; byte >= 0; --byte) {
            const uint64_t Entry::*word = byte < 8 ? &Entry::high : &Entry::low;
            const int shift = 8 * (7 - byte % 8);
            if ((((byte < 8 ? highDiffers : lowDiffers) >> shift) & 0xFF) == 0) continue;
            auto digit = [&](const Entry& e) { return size_t((e.*word >> shift) & 0xFF); };
            std::array<size_t, 257> start{};
            for (const Entry& e : entries) ++start[digit(e) + 1];
            for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
            for (const Entry& e : entries) buffer[start[digit(e)]++] = e;
            entries.swap(buffer);
        }
        if (!longKey_) return;
        auto less = [this](const Entry& a, const Entry& b) { return before(a, b); };
        for (size_t i = 0; i < entries.size();) {
            size_t j = i + 1;
            while (j < entries.size() && entries[j].high == entries[i].high && entries[j].low == entries[i].low) ++j;
            const auto first = entries.begin() + long(i), last = entries.begin() + long(j);
            if (!std::is_sorted(first, last, less)) std::sort(first, last, less);
            i = j;
        }
    }

private:
    Entry entryOf(uint32_t r) const {
        unsigned char bytes[kPrefix] = {};
        const char* data = records_.record(r);
        int at = 0;
        for (const Segment& s : key_.segments) {
            const int n = std::min(s.width, kPrefix - at);
            std::memcpy(bytes + at, data + s.offset, size_t(n));
            at += n;
            if (at == kPrefix) break;
        }
        Entry e;
        e.record = r;
        e.high = bigEndian(bytes);
        e.low = bigEndian(bytes + 8);
        if (key_.descending) {
            e.high = ~e.high;
            e.low = ~e.low;
        }
        return e;
    }

    // The key bytes after the first 16, in the key's direction.
    int restOrder(uint32_t a, uint32_t b) const {
        const char* da = records_.record(a);
        const char* db = records_.record(b);
        int at = 0;
        for (const Segment& s : key_.segments) {
            const int skip = std::clamp(kPrefix - at, 0, s.width);
            at += s.width;
            if (skip == s.width) continue;
            if (const int c = std::memcmp(da + s.offset + skip, db + s.offset + skip, size_t(s.width - skip)))
                return key_.descending ? -c : c;
        }
        return 0;
    }

    const Records& records_;
    const Key& key_;
    bool longKey_ = false;
};

bool sameKey(const Records& records, const Key& key, uint32_t a, uint32_t b) {
    const char* da = records.record(a);
    const char* db = records.record(b);
    return std::all_of(key.segments.begin(), key.segments.end(), [&](const Segment& s) {
        return std::memcmp(da + s.offset, db + s.offset, size_t(s.width)) == 0;
    });
}

}  // namespace

int compare(const Records& records, const Key& key, uint32_t a, uint32_t b) {
    const char* da = records.record(a);
    const char* db = records.record(b);
    for (const Segment& s : key.segments)
        if (const int c = std::memcmp(da + s.offset, db + s.offset, size_t(s.width))) return key.descending ? -c : c;
    return 0;
}

std::vector<uint32_t> sorted(const Records& records, const Key& key) {
    const Sorter sorter(records, key);
    std::vector<Entry> entries = sorter.entries();
    if (!entries.empty() && !sorter.mergeRuns(entries)) sorter.radixSort(entries);
    std::vector<uint32_t> order(entries.size());
    std::transform(entries.begin(), entries.end(), order.begin(), [](const Entry& e) { return e.record; });
    return order;
}

bool begins(const Key& source, const Key& key) {
    return key.segments.size() <= source.segments.size() &&
           std::equal(key.segments.begin(), key.segments.end(), source.segments.begin());
}

std::vector<uint32_t> derived(const Records& records, const Key& key, const Key& source,
                              const std::vector<uint32_t>& sourceOrder) {
    std::vector<std::pair<size_t, size_t>> groups;
    for (size_t i = 0; i < sourceOrder.size();) {
        size_t j = i + 1;
        while (j < sourceOrder.size() && sameKey(records, key, sourceOrder[i], sourceOrder[j])) ++j;
        groups.emplace_back(i, j);
        i = j;
    }
    if (source.descending != key.descending) std::reverse(groups.begin(), groups.end());
    std::vector<uint32_t> order;
    order.reserve(sourceOrder.size());
    for (const auto& [first, last] : groups) {
        const size_t at = order.size();
        order.insert(order.end(), sourceOrder.begin() + long(first), sourceOrder.begin() + long(last));
        if (!std::is_sorted(order.begin() + long(at), order.end())) std::sort(order.begin() + long(at), order.end());
    }
    return order;
}

std::vector<uint32_t> without(const std::vector<uint32_t>& order, const std::vector<uint32_t>& renumbered) {
    std::vector<uint32_t> kept;
    kept.reserve(order.size());
    for (uint32_t r : order)
        if (renumbered[r] != kRemoved) kept.push_back(renumbered[r]);
    return kept;
}

}  // namespace pulmora::engine::tagorder
