#pragma once

#include "Table.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Building a tag's order: the table's record numbers sorted by key, equal keys in record order.
// Every open builds every tag, so this is the bulk of opening a large diary; it takes the
// shortest way the records allow.
namespace pulmora::engine::tagorder {

using Segment = KeySegment;

// The records of a table: record r begins at data + r * length.
struct Records {
    const char* data;
    size_t length;
    uint32_t count;
    const char* record(uint32_t r) const { return data + size_t(r) * length; }
};

struct Key {
    std::span<const Segment> segments;
    bool descending = false;
};

// Compares the keys of two records, in the key's direction.
int compare(const Records& records, const Key& key, uint32_t a, uint32_t b);

// The records in key order.
std::vector<uint32_t> sorted(const Records& records, const Key& key);

// Whether the key's fields are the first fields of `source`'s key, so that its order can be
// taken from an order of `source` (see derived).
bool begins(const Key& source, const Key& key);
// The key's order, taken from `sourceOrder`, the order of a key that begins with it: records
// of equal key stand together there already, so only each group is put back in record order.
std::vector<uint32_t> derived(const Records& records, const Key& key, const Key& source,
                              const std::vector<uint32_t>& sourceOrder);

// The order with the removed records left out and the others renumbered: `renumbered[r]` is
// the new number of record r, or kRemoved. Nothing moves, so no sort is needed.
constexpr uint32_t kRemoved = UINT32_MAX;
std::vector<uint32_t> without(const std::vector<uint32_t>& order, const std::vector<uint32_t>& renumbered);

}  // namespace pulmora::engine::tagorder
