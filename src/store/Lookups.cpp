#include "Lookups.h"

#include "Fields.h"
#include "Keys.h"

namespace pulmora::store {

bool seekPerson(const PersonalTable& t, const QString& id) {
    return keys::isPersonId(id) &&
           fields::seek(t.table(), t.tag(PersonalTag::piASID), keys::padded(id, width::kPersonId));
}

}  // namespace pulmora::store
