#include "catalogue/Table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "catalogue/RowRules.h"
#include "numeric/Fault.h"

namespace coilsmith::catalogue {
namespace {

char lower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <typename Map>
int compareMapped(std::string_view a, std::string_view b, Map map) noexcept {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(map(a[i]));
        const auto y = static_cast<unsigned char>(map(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareTexts(std::string_view a, std::string_view b, Collation collation) noexcept {
    switch (collation) {
        case Collation::NoCase:
            return compareMapped(a, b, lower);
        case Collation::RTrim: {
            const auto trim = [](std::string_view s) {
                const auto end = s.find_last_not_of(' ');
                return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
            };
            return compareMapped(trim(a), trim(b), [](char c) { return c; });
        }
        case Collation::Binary:
            break;
    }
    return compareMapped(a, b, [](char c) { return c; });
}

int rank(Cell::Kind kind) noexcept {
    switch (kind) {
        case Cell::Kind::Null:
            return 0;
        case Cell::Kind::Integer:
        case Cell::Kind::Real:
            return 1;
        case Cell::Kind::Text:
            break;
    }
    return 2;
}

int compareNumbers(const Key& a, const Key& b) noexcept {
    if (a.kind == Cell::Kind::Integer && b.kind == Cell::Kind::Integer) {
        return a.whole == b.whole ? 0 : (a.whole < b.whole ? -1 : 1);
    }
    const auto asLong = [](const Key& k) {
        return k.kind == Cell::Kind::Integer ? static_cast<long double>(k.whole)
                                             : static_cast<long double>(k.real);
    };
    const long double x = asLong(a);
    const long double y = asLong(b);
    return x == y ? 0 : (x < y ? -1 : 1);
}

std::optional<Value> numberFromText(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
    const char* end = text.data() + text.size();
    std::int64_t whole = 0;
    if (auto r = std::from_chars(begin, end, whole); r.ec == std::errc{} && r.ptr == end) {
        return Value(whole);
    }
    double real = 0.0;
    if (auto r = std::from_chars(begin, end, real);
        r.ec == std::errc{} && r.ptr == end && std::isfinite(real)) {
        return Value(real);
    }
    return std::nullopt;
}

std::string textFromNumber(const Value& v) {
    if (const auto* whole = std::get_if<std::int64_t>(&v.storage())) {
        return std::to_string(*whole);
    }
    char buffer[64];
    const double real = std::get<double>(v.storage());
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, real);
    std::string text(buffer, r.ptr);
    if (std::isfinite(real) && text.find_first_of(".e") == std::string::npos) {
        text += ".0";  // how the database writes a real with no fraction
    }
    return text;
}

bool contains(std::string_view haystack, std::string_view needle) noexcept {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != haystack.end();
}

// A cell as the rules read it: a number, or nothing for an empty cell or a text that is not
// one (the design names those itself).
std::optional<double> cellNumber(const Table& table, std::size_t row, std::string_view field) {
    const auto column = table.fieldIndex(field);
    if (!column) {
        return std::nullopt;
    }
    try {
        const Num number = table.value(row, *column).toNum();
        return number.isNull() ? std::nullopt : std::optional<double>(number.value());
    } catch (const Fault&) {
        return std::nullopt;
    }
}

std::string rowName(const Table& table, std::size_t row) {
    if (const auto key = table.fieldIndex(rowrules::keyField(table.name))) {
        const Value value = table.value(row, *key);
        if (!value.isNull()) {
            return value.toText();
        }
    }
    return "row " + std::to_string(row + 1);
}

}  // namespace

void markUnsoundRows(Table& table) {
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        const auto problem = rowrules::checkRow(
            table.name, [&](std::string_view field) { return cellNumber(table, row, field); });
        if (!problem) {
            continue;
        }
        table.rowProblems.resize(table.rowCount);
        table.rowProblems[row] = "field \"" + problem->field + "\" of " + rowName(table, row) +
                                 " in table \"" + table.name + "\" " + problem->reason;
    }
}

bool equalsNoCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && compareMapped(a, b, lower) == 0;
}

std::optional<std::size_t> Table::fieldIndex(std::string_view fieldName) const noexcept {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (equalsNoCase(fields[i], fieldName)) {
            return i;
        }
    }
    return std::nullopt;
}

const TableIndex* Table::findIndex(std::string_view indexName) const noexcept {
    for (const TableIndex& index : indexes) {
        if (equalsNoCase(index.name, indexName)) {
            return &index;
        }
    }
    return nullptr;
}

std::string Table::source() const {
    return file.empty() ? "table \"" + name + "\"" : file;
}

Key Table::key(std::size_t row, std::size_t field) const noexcept {
    const Cell& c = cell(row, field);
    switch (c.kind()) {
        case Cell::Kind::Integer:
            return {c.kind(), c.whole(), 0.0, {}};
        case Cell::Kind::Real:
            return {c.kind(), 0, c.real(), {}};
        case Cell::Kind::Text:
            return {c.kind(), 0, 0.0, std::string_view(texts).substr(c.offset(), c.length())};
        case Cell::Kind::Null:
            break;
    }
    return {};
}

Value Table::value(std::size_t row, std::size_t field) const {
    const Cell& c = cell(row, field);
    switch (c.kind()) {
        case Cell::Kind::Integer:
            return Value(c.whole());
        case Cell::Kind::Real:
            return Value(c.real());
        case Cell::Kind::Text:
            return Value(texts.substr(c.offset(), c.length()));
        case Cell::Kind::Null:
            break;
    }
    return Value();
}

void Table::appendText(std::string_view text) {
    if (text.size() > UINT32_MAX) {
        throw std::length_error("a catalogue text longer than 4 GB");
    }
    cells.push_back(Cell::text(texts.size(), static_cast<std::uint32_t>(text.size())));
    texts.append(text);
}

void Table::append(const Value& value) {
    const auto& v = value.storage();
    if (const auto* whole = std::get_if<std::int64_t>(&v)) {
        cells.push_back(Cell::integer(*whole));
    } else if (const auto* real = std::get_if<double>(&v)) {
        cells.push_back(Cell::real(*real));
    } else if (const auto* text = std::get_if<std::string>(&v)) {
        appendText(*text);
    } else {
        cells.emplace_back();
    }
}

Key keyOf(const Value& value) noexcept {
    const auto& v = value.storage();
    if (const auto* whole = std::get_if<std::int64_t>(&v)) {
        return {Cell::Kind::Integer, *whole, 0.0, {}};
    }
    if (const auto* real = std::get_if<double>(&v)) {
        return {Cell::Kind::Real, 0, *real, {}};
    }
    if (const auto* text = std::get_if<std::string>(&v)) {
        return {Cell::Kind::Text, 0, 0.0, *text};
    }
    return {};
}

int compareKeys(const Key& a, const Key& b, Collation collation) noexcept {
    const int ra = rank(a.kind);
    const int rb = rank(b.kind);
    if (ra != rb) {
        return ra < rb ? -1 : 1;
    }
    if (ra == 0) {
        return 0;
    }
    if (ra == 1) {
        return compareNumbers(a, b);
    }
    return compareTexts(a.text, b.text, collation);
}

void sortIndex(const Table& table, TableIndex& index) {
    index.order.resize(table.rowCount);
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        index.order[row] = row;
    }
    std::stable_sort(index.order.begin(), index.order.end(), [&](std::size_t x, std::size_t y) {
        for (const KeyColumn& key : index.keys) {
            int c = compareKeys(table.key(x, key.field), table.key(y, key.field), key.collation);
            if (c != 0) {
                return key.descending ? c > 0 : c < 0;
            }
        }
        return false;
    });
}

Value withAffinity(const Value& key, Affinity affinity) {
    if (key.isNull() || affinity == Affinity::Blob) {
        return key;
    }
    if (affinity == Affinity::Text) {
        return key.isText() ? key : Value(textFromNumber(key));
    }
    if (key.isText()) {
        if (auto number = numberFromText(std::get<std::string>(key.storage()))) {
            return *number;
        }
    }
    return key;
}

Affinity affinityOf(std::string_view declaredType) noexcept {
    if (contains(declaredType, "INT")) {
        return Affinity::Integer;
    }
    if (contains(declaredType, "CHAR") || contains(declaredType, "CLOB") ||
        contains(declaredType, "TEXT")) {
        return Affinity::Text;
    }
    if (declaredType.empty() || contains(declaredType, "BLOB")) {
        return Affinity::Blob;
    }
    if (contains(declaredType, "REAL") || contains(declaredType, "FLOA") ||
        contains(declaredType, "DOUB")) {
        return Affinity::Real;
    }
    return Affinity::Numeric;
}

Collation collationOf(std::string_view name) noexcept {
    if (equalsNoCase(name, "NOCASE")) {
        return Collation::NoCase;
    }
    if (equalsNoCase(name, "RTRIM")) {
        return Collation::RTrim;
    }
    return Collation::Binary;
}

}  // namespace coilsmith::catalogue
