#include "numeric/Value.h"

#include <string>

#include "numeric/Fault.h"

namespace coilsmith {

namespace {

// Texts stored in the catalogue are written with a point and no grouping, whatever the
// user's locale.
const NumberLocale kCatalogueLocale{".", ""};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// clang 14 does not deduce aggregate template arguments yet.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

Num Value::toNum() const {
    return std::visit(Overloaded{[](std::monostate) { return Num::null(); },
                                 [](std::int64_t v) { return Num(static_cast<double>(v)); },
                                 [](double v) { return Num(v); },
                                 [](const std::string& text) {
                                     const auto v = parseNumber(text, kCatalogueLocale);
                                     if (!v)
                                         throw Fault(FaultKind::NotANumber, text);
                                     return Num(*v);
                                 }},
                      v_);
}

double Value::toDouble() const {
    return toNum().value();
}

std::string Value::toText(const NumberLocale& locale) const {
    return std::visit(
        Overloaded{[](std::monostate) -> std::string { throw Fault(FaultKind::NullValue); },
                   [](std::int64_t v) { return std::to_string(v); },
                   [&locale](double v) { return formatNumber(v, locale); },
                   [](const std::string& text) { return text; }},
        v_);
}

}  // namespace coilsmith
