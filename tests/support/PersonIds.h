#pragma once

#include "store/PersonId.h"

#include <ostream>

namespace pulmora::store {

// Lets test failures show identifiers as text, and tests compare them with the text they expect.
inline void PrintTo(const PersonId& id, std::ostream* out) { *out << '"' << id.text().toStdString() << '"'; }
inline bool operator==(const PersonId& id, const QString& text) { return id.text() == text; }

}  // namespace pulmora::store

namespace pulmora::test {

// The identifier a test names: a text that is none throws, which fails the test.
inline store::PersonId personId(const QString& text) { return store::PersonId::of(text).value(); }

}  // namespace pulmora::test
