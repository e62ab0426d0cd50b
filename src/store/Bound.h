#pragma once

#include "DiaryStore.h"
#include "engine/Table.h"

namespace pulmora::store {

// One table's handles, reached by the enums of its own fields and tags only, so a field of
// one file can never be used on another.
template <TableId Id>
class Bound {
public:
    using FieldId = typename Columns<Id>::Field;
    using TagId = typename Columns<Id>::Tag;
    static constexpr TableId kId = Id;

    explicit Bound(const DiaryStore& store) : handles_(&store.handles(Id)) {}

    explicit operator bool() const { return handles_->table != nullptr; }
    engine::Table& table() const { return *handles_->table; }
    engine::Table* operator->() const { return handles_->table; }
    engine::Field& operator[](FieldId f) const { return *handles_->fields[size_t(f)]; }
    engine::Tag* tag(TagId t) const { return handles_->tags[size_t(t)]; }

private:
    const DiaryStore::TableHandles* handles_;
};

using PersonalTable = Bound<TableId::Personal>;
using DailyTable = Bound<TableId::Daily>;
using PerTrigTable = Bound<TableId::PerTrig>;
using PerMedTable = Bound<TableId::PerMed>;
using RefTrigTable = Bound<TableId::RefTrig>;
using DlyTrigTable = Bound<TableId::DlyTrig>;
using DlyMedTable = Bound<TableId::DlyMed>;

}  // namespace pulmora::store
