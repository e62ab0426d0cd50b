#pragma once

#include "Bound.h"

namespace pulmora::store {

// Positions on the person by the whole identifier in piASID, never by a prefix ("New" or a
// shortened identifier finds no one).
bool seekPerson(const PersonalTable& personal, const QString& id);

}  // namespace pulmora::store
