#pragma once

#include <QString>

#include <optional>

namespace pulmora::store {

// A stored person's identifier: eight characters, no blank at either end, as the store hands it
// out. Text becomes one only through `of`, so an operation given a PersonId never has to ask
// whether it names anyone by a prefix or a padded copy; who has no identifier yet (a person
// still being entered) holds none, as a std::optional.
class PersonId {
public:
    // The identifier the text is; none for any other text ("New", a shortened or padded one).
    static std::optional<PersonId> of(const QString& text);

    const QString& text() const { return text_; }
    bool operator==(const PersonId&) const = default;

private:
    explicit PersonId(QString text) : text_(std::move(text)) {}
    QString text_;
};

}  // namespace pulmora::store
