#include "Lookups.h"

#include "Fields.h"
#include "Mapping.h"

namespace pulmora::store {

bool seekPerson(const PersonalTable& t, const PersonId& id) {
    return t && fields::seek(t.table(), t.tag(PersonalTag::piASID), id.text());
}

std::optional<PersonRecord> findPerson(const PersonalTable& t, const PersonId& id) {
    return seekPerson(t, id) ? mapping::readPerson(t) : std::nullopt;
}

}  // namespace pulmora::store
