#pragma once

#include <QString>

#include <utility>

namespace pulmora::store {

// The outcome of a store write: done, or the reason it was not. Every one must be looked at.
class [[nodiscard]] Result {
public:
    static Result done() { return Result(); }
    static Result refused(QString why) { return Result(std::move(why)); }

    bool ok() const { return error_.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }

private:
    Result() = default;
    explicit Result(QString error) : error_(std::move(error)) {}
    QString error_;
};

// A result that carries a value when it is done.
template <class T>
struct [[nodiscard]] Outcome {
    Result result = Result::done();
    T value{};

    bool ok() const { return result.ok(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return result.error(); }
};

}  // namespace pulmora::store
