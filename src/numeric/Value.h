#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "numeric/Num.h"
#include "numeric/NumberText.h"

namespace coilsmith {

// A field value as the catalogue stores it: null, a whole number, a real or a text.
class Value {
  public:
    using Storage = std::variant<std::monostate, std::int64_t, double, std::string>;

    Value() = default;                            // null
    Value(std::int64_t v) : v_(v) {}              // NOLINT(google-explicit-constructor)
    Value(double v) : v_(v) {}                    // NOLINT(google-explicit-constructor)
    Value(std::string v) : v_(std::move(v)) {}    // NOLINT(google-explicit-constructor)
    Value(const char* v) : v_(std::string(v)) {}  // NOLINT(google-explicit-constructor)

    bool isNull() const noexcept { return std::holds_alternative<std::monostate>(v_); }
    bool isText() const noexcept { return std::holds_alternative<std::string>(v_); }
    const Storage& storage() const noexcept { return v_; }

    // The value as a nullable number: null stays null, a text is read as a number
    // (Fault NotANumber when it is not one).
    Num toNum() const;
    // The value as a number; Fault NullValue when null.
    double toDouble() const;
    // The value in its ordinary text form; Fault NullValue when null.
    std::string toText(const NumberLocale& locale = {}) const;

    friend bool operator==(const Value&, const Value&) = default;

  private:
    Storage v_;
};

}  // namespace coilsmith
