#pragma once

#include "Bound.h"
#include "PersonId.h"
#include "Values.h"

#include <optional>

namespace pulmora::store {

// Positions on the person by the whole identifier in piASID.
bool seekPerson(const PersonalTable& personal, const PersonId& id);
// The person's record, positioned on it; none when the person is not stored or the file is not
// open.
std::optional<PersonRecord> findPerson(const PersonalTable& personal, const PersonId& id);

}  // namespace pulmora::store
