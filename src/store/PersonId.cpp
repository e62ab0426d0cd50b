#include "PersonId.h"

#include "Schema.h"

namespace pulmora::store {

std::optional<PersonId> PersonId::of(const QString& text) {
    if (text.size() != width::kPersonId || text.front().isSpace() || text.back().isSpace()) return std::nullopt;
    return PersonId(text);
}

}  // namespace pulmora::store
