#pragma once

#include <string>
#include <utility>
#include <variant>

namespace coilsmith::physics {

// Why a model could not give its result, in words an engineer can act on ("the winding
// closes the hole after 3 layers with 40 of 60 turns").
struct Problem {
    std::string reason;
};

// A model's result or the problem that stopped it. The models never throw and never
// return inf or NaN: a value that cannot be had is a Problem.
template <class T>
class Result {
  public:
    // Implicit both ways, so a model returns its value or its problem() as it stands.
    Result(T value) : content_(std::move(value)) {}
    Result(Problem problem) : content_(std::move(problem)) {}

    bool ok() const noexcept { return std::holds_alternative<T>(content_); }
    explicit operator bool() const noexcept { return ok(); }

    // Only when ok().
    const T& value() const& { return std::get<T>(content_); }
    T&& value() && { return std::get<T>(std::move(content_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    // Only when !ok().
    const std::string& reason() const { return std::get<Problem>(content_).reason; }
    Problem problem() const { return std::get<Problem>(content_); }

  private:
    std::variant<T, Problem> content_;
};

inline Problem problem(std::string reason) {
    return Problem{std::move(reason)};
}

}  // namespace coilsmith::physics
