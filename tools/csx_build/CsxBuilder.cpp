#include "CsxBuilder.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <variant>

#include "Csv.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/RowRules.h"
#include "catalogue/Sqlite.h"
#include "platform/FileReplacement.h"

namespace coilsmith::csx {
namespace {

using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;

// A column's declared type; Any stores each cell as what it reads as.
enum class ColumnType { Text, Integer, Real, Any };

// What a cell must hold for the design, or a design check, to use it. Fields not listed
// may be empty or any number. The physical-sense rules of whole rows come after these.
enum class CellRule { Any, Present, Positive, EmptyOrNotNegative, WholeNumber };

struct Column {
    std::string name;
    ColumnType type = ColumnType::Any;
    int csvPosition = -1;  // -1: not in the CSV, every cell empty
    CellRule rule = CellRule::Any;
};

struct Row {
    int line = 0;
    std::vector<Cell> cells;  // one per column
};

struct Table {
    std::string name;
    std::string file;
    const schema::Table* schema = nullptr;
    std::vector<Column> columns;
    std::vector<Row> rows;
};

[[noreturn]] void fail(const std::string& file, int line, const std::string& reason) {
    throw BuildError(file + ":" + std::to_string(line) + ": " + reason);
}

struct FieldRule {
    std::string_view table;
    std::string_view field;
    CellRule rule;
};

constexpr FieldRule kFieldRules[] = {
    {"E-Cores", "AC", CellRule::Positive},
    {"E-Cores", "VC", CellRule::Positive},
    {"E-Cores", "LC", CellRule::Positive},
    {"E-Cores", "WC", CellRule::Positive},
    {"E-Cores", "a_dim", CellRule::Positive},
    {"E-Cores", "b_dim", CellRule::Positive},
    {"E-Cores", "c_dim", CellRule::Positive},
    {"E-Cores", "d_dim", CellRule::Positive},  // the design check's window width
    {"E-Cores", "f_dim", CellRule::Positive},
    {"E-Cores", "g_dim", CellRule::Positive},
    {"E-Cores", "GAP", CellRule::EmptyOrNotNegative},
    {"Toroids", "AC", CellRule::Positive},
    {"Toroids", "VC", CellRule::Positive},
    {"Toroids", "LC", CellRule::Positive},
    {"Toroids", "OD", CellRule::Positive},
    {"Toroids", "ID", CellRule::Positive},
    {"Toroids", "HT", CellRule::Positive},
    {"Materials", "Permeab", CellRule::Positive},
    {"Materials", "Density", CellRule::Positive},
    // Most coefficients of the fits may take either sign; the row rules give the ranges.
    {"Materials", "ah", CellRule::Present},
    {"Materials", "bh", CellRule::Present},
    {"Materials", "ch", CellRule::Present},
    {"Materials", "dh", CellRule::Present},
    {"Materials", "eh", CellRule::Present},
    {"Materials", "ab", CellRule::Present},
    {"Materials", "bb", CellRule::Present},
    {"Materials", "cb", CellRule::Present},
    {"Materials", "db", CellRule::Present},
    {"Materials", "eb", CellRule::Present},
    {"Materials", "al", CellRule::Present},
    {"Materials", "bl", CellRule::Present},
    {"Materials", "cl", CellRule::Present},
    {"Materials", "dl", CellRule::Present},
    {"Materials", "Cost", CellRule::EmptyOrNotNegative},
    {"Bias_Curves", "a", CellRule::Positive},
    {"Bias_Curves", "b", CellRule::Positive},
    {"Bias_Curves", "c", CellRule::Positive},
    {"Wires", "AWG", CellRule::WholeNumber},
    {"Wires", "BareDiameter", CellRule::Positive},
    {"Wires", "OverallDiameter", CellRule::Positive},
    {"Wires", "Resistance20C", CellRule::Positive},
};

CellRule ruleFor(std::string_view table, std::string_view field) {
    for (const FieldRule& rule : kFieldRules) {
        if (rule.table == table && rule.field == field) {
            return rule.rule;
        }
    }
    return CellRule::Any;
}

ColumnType columnType(schema::FieldType type) {
    switch (type) {
        case schema::FieldType::Text:
            return ColumnType::Text;
        case schema::FieldType::Integer:
            return ColumnType::Integer;
        case schema::FieldType::Real:
            return ColumnType::Real;
    }
    return ColumnType::Any;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole number literal that fits 64 bits, else nothing.
std::optional<std::int64_t> readInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A finite decimal number, else nothing ("inf" and "nan" are not catalogue values).
std::optional<double> readReal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || std::isalpha(static_cast<unsigned char>(text.back())) != 0) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Empty cells are null; a number column needs a number unless the checks are off.
Cell readCell(const std::string& text, const Column& column, bool validate, const std::string& file,
              int line) {
    if (text.empty()) {
        return {};
    }
    if (column.type == ColumnType::Text) {
        return text;
    }
    const std::string_view number = trimmed(text);
    if (column.type != ColumnType::Real) {
        if (const auto whole = readInteger(number)) {
            return *whole;
        }
    }
    if (const auto real = readReal(number)) {
        return *real;
    }
    if (validate && column.type != ColumnType::Any) {
        fail(file, line, "field '" + column.name + "' is not a number: '" + text + "'");
    }
    return text;
}

std::optional<double> numberOf(const Cell& cell) {
    if (const auto* whole = std::get_if<std::int64_t>(&cell)) {
        return static_cast<double>(*whole);
    }
    if (const auto* real = std::get_if<double>(&cell)) {
        return *real;
    }
    return std::nullopt;
}

void checkRule(const Cell& cell, const Column& column, const std::string& text,
               const std::string& file, int line) {
    const std::string field = "field '" + column.name + "'";
    if (column.rule == CellRule::Any) {
        return;
    }
    const std::optional<double> number = numberOf(cell);
    if (!number) {
        if (column.rule != CellRule::EmptyOrNotNegative) {
            fail(file, line, field + " is empty");
        }
        return;
    }
    if (column.rule == CellRule::Positive && !(*number > 0)) {
        fail(file, line, field + " is not positive: '" + text + "'");
    }
    if (column.rule == CellRule::EmptyOrNotNegative && *number < 0) {
        fail(file, line, field + " is negative: '" + text + "'");
    }
    if (column.rule == CellRule::WholeNumber && !std::holds_alternative<std::int64_t>(cell)) {
        fail(file, line, field + " is not a whole number: '" + text + "'");
    }
}

std::vector<Column> columnsOf(const std::vector<std::string>& header, const Table& table,
                              bool validate, int line) {
    std::vector<Column> columns;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& name = header[i];
        if (name.empty()) {
            fail(table.file, line, "empty field name in column " + std::to_string(i + 1));
        }
        if (!seen.insert(name).second) {
            fail(table.file, line, "field '" + name + "' appears twice");
        }
        Column column{name, ColumnType::Any, static_cast<int>(i), ruleFor(table.name, name)};
        if (table.schema != nullptr) {
            const auto& fields = table.schema->fields;
            const auto known = std::find_if(fields.begin(), fields.end(),
                                            [&](const auto& f) { return f.name == name; });
            if (known != fields.end()) {
                column.type = columnType(known->type);
            } else if (validate) {
                fail(table.file, line, "unknown field '" + name + "'");
            }
        }
        columns.push_back(std::move(column));
    }
    if (table.schema != nullptr) {
        for (const auto& field : table.schema->fields) {
            if (seen.count(std::string(field.name)) != 0) {
                continue;
            }
            if (validate) {
                fail(table.file, line, "missing field '" + std::string(field.name) + "'");
            }
            columns.push_back({std::string(field.name), columnType(field.type), -1, CellRule::Any});
        }
    }
    return columns;
}

// The rules a whole row must follow to make physical sense, shared with the catalogue
// reader.
void checkPhysicalSense(const Table& table, const Row& row) {
    const auto problem = rowrules::checkRow(table.name, [&](std::string_view field) {
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (table.columns[i].name == field) {
                return numberOf(row.cells[i]);
            }
        }
        return std::optional<double>();
    });
    if (problem) {
        fail(table.file, row.line, "field '" + problem->field + "' " + problem->reason);
    }
}

Table parseTable(const std::string& name, const std::string& file, const std::string& text,
                 bool validate) {
    Table table{name, file, schema::findTable(name), {}, {}};
    if (table.schema == nullptr && validate) {
        fail(file, 1, "'" + name + "' is not a catalogue table");
    }
    std::vector<CsvRecord> records;
    try {
        records = parseCsv(text);
    } catch (const CsvError& error) {
        fail(file, error.line, error.reason);
    }
    if (records.empty()) {
        if (validate || table.schema == nullptr) {
            fail(file, 1, "no header line");
        }
        table.columns = columnsOf({}, table, false, 1);
        return table;
    }
    table.columns = columnsOf(records.front().cells, table, validate, records.front().line);
    const std::size_t width = records.front().cells.size();
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.cells.size() != width) {
            fail(file, record.line,
                 std::to_string(record.cells.size()) + " cells, the header has " +
                     std::to_string(width));
        }
        Row row{record.line, {}};
        row.cells.reserve(table.columns.size());
        for (const Column& column : table.columns) {
            if (column.csvPosition < 0) {
                row.cells.emplace_back();
                continue;
            }
            const std::string& text = record.cells[column.csvPosition];
            row.cells.push_back(readCell(text, column, validate, file, record.line));
            if (validate) {
                checkRule(row.cells.back(), column, text, file, record.line);
            }
        }
        if (validate) {
            checkPhysicalSense(table, row);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::size_t columnIndex(const Table& table, std::string_view name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].name == name) {
            return i;
        }
    }
    return table.columns.size();
}

const std::string* textOf(const Cell& cell) {
    return std::get_if<std::string>(&cell);
}

// A key as text: text keys as they are, whole-number keys (the wire gauge) written out.
std::optional<std::string> keyOf(const Cell& cell) {
    if (const std::string* text = textOf(cell)) {
        return *text;
    }
    if (const auto* whole = std::get_if<std::int64_t>(&cell)) {
        return std::to_string(*whole);
    }
    return std::nullopt;
}

std::string foldCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Keys compare as the index does, without regard to letter case: two keys that differ
// only in case would make one row unreachable by a seek.
void checkKeys(const Table& table, std::string_view keyField, std::set<std::string>& keys) {
    const std::size_t column = columnIndex(table, keyField);
    std::map<std::string, int> firstLine;
    for (const Row& row : table.rows) {
        const std::optional<std::string> key = keyOf(row.cells[column]);
        if (!key) {
            fail(table.file, row.line, "empty " + std::string(keyField));
        }
        const auto [at, inserted] = firstLine.emplace(foldCase(*key), row.line);
        if (!inserted) {
            fail(table.file, row.line,
                 "duplicate " + std::string(keyField) + " '" + *key + "' (first on line " +
                     std::to_string(at->second) + ")");
        }
        keys.insert(*key);
    }
}

void checkLinks(const Table& links, const std::set<std::string>& cores, const std::string& coreFile,
                const std::set<std::string>& materials, const std::string& materialFile) {
    const std::size_t core = columnIndex(links, "Core");
    const std::size_t mat = columnIndex(links, "Mat");
    for (const Row& row : links.rows) {
        const std::string* coreNo = textOf(row.cells[core]);
        if (coreNo == nullptr || cores.count(*coreNo) == 0) {
            fail(links.file, row.line,
                 "core '" + (coreNo ? *coreNo : std::string()) + "' is not in " + coreFile);
        }
        const std::string* matNo = textOf(row.cells[mat]);
        if (matNo == nullptr || materials.count(*matNo) == 0) {
            fail(links.file, row.line,
                 "material '" + (matNo ? *matNo : std::string()) + "' is not in " + materialFile);
        }
    }
}

const Table& tableNamed(const std::vector<Table>& tables, std::string_view name) {
    return *std::find_if(tables.begin(), tables.end(),
                         [&](const Table& t) { return t.name == name; });
}

// Each curve belongs to a material of the catalogue.
void checkCurveMaterials(const Table& curves, const std::set<std::string>& materials,
                         const std::string& materialFile) {
    const std::size_t mat = columnIndex(curves, "MatNo");
    for (const Row& row : curves.rows) {
        const std::string* matNo = textOf(row.cells[mat]);
        if (matNo != nullptr && materials.count(*matNo) == 0) {
            fail(curves.file, row.line, "material '" + *matNo + "' is not in " + materialFile);
        }
    }
}

void checkCatalogue(const std::vector<Table>& tables) {
    std::set<std::string> eCores;
    std::set<std::string> toroids;
    std::set<std::string> materials;
    const Table& eCoreTable = tableNamed(tables, schema::kECores);
    const Table& toroidTable = tableNamed(tables, schema::kToroids);
    const Table& materialTable = tableNamed(tables, schema::kMaterials);
    checkKeys(eCoreTable, "CoreNo", eCores);
    checkKeys(toroidTable, "CoreNo", toroids);
    checkKeys(materialTable, "MatNo", materials);
    checkLinks(tableNamed(tables, schema::kCoreMaterials), eCores, eCoreTable.file, materials,
               materialTable.file);
    checkLinks(tableNamed(tables, schema::kToroidMaterials), toroids, toroidTable.file, materials,
               materialTable.file);
    const Table& curveTable = tableNamed(tables, schema::kBiasCurves);
    std::set<std::string> curves;
    checkKeys(curveTable, "MatNo", curves);
    checkCurveMaterials(curveTable, materials, materialTable.file);
    std::set<std::string> gauges;
    checkKeys(tableNamed(tables, schema::kWires), "AWG", gauges);
}

// --- writing -------------------------------------------------------------------------

// Writes the database into `file`; messages name it `path`, the file it becomes.
class Writer {
  public:
    Writer(const std::string& file, const std::string& path) : path_(path) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(file.c_str(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            throw BuildError(path +
                             ": cannot create the database: " + sqlite::lastError(db_.get()));
        }
        exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    }

    void write(const Table& table) {
        createTable(table);
        insertRows(table);
        createIndexes(table);
    }

    void commit() {
        exec("COMMIT");
        db_.reset();
    }

  private:
    void exec(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string reason = message != nullptr ? message : "unknown error";
            sqlite3_free(message);
            throw BuildError(path_ + ": " + reason);
        }
    }

    static const char* declaredType(ColumnType type) {
        switch (type) {
            case ColumnType::Text:
                return " TEXT COLLATE NOCASE";
            case ColumnType::Integer:
                return " INTEGER";
            case ColumnType::Real:
                return " REAL";
            case ColumnType::Any:
                break;
        }
        return "";
    }

    void createTable(const Table& table) {
        std::string sql = "CREATE TABLE " + sqlite::quoted(table.name) + " (";
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            sql += (i ? ", " : "") + sqlite::quoted(table.columns[i].name) +
                   declaredType(table.columns[i].type);
        }
        exec(sql + ")");
    }

    void insertRows(const Table& table) {
        std::string sql = "INSERT INTO " + sqlite::quoted(table.name) + " VALUES (";
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            sql += i ? ",?" : "?";
        }
        sql += ")";
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            throw BuildError(path_ + ": " + sqlite::lastError(db_.get()));
        }
        const sqlite::Statement insert(raw);
        for (const Row& row : table.rows) {
            for (std::size_t i = 0; i < row.cells.size(); ++i) {
                bind(insert.get(), static_cast<int>(i + 1), row.cells[i]);
            }
            if (sqlite3_step(insert.get()) != SQLITE_DONE) {
                throw BuildError(table.file + ":" + std::to_string(row.line) + ": " +
                                 sqlite::lastError(db_.get()));
            }
            sqlite3_reset(insert.get());
        }
    }

    static void bind(sqlite3_stmt* statement, int position, const Cell& cell) {
        if (const auto* whole = std::get_if<std::int64_t>(&cell)) {
            sqlite3_bind_int64(statement, position, *whole);
        } else if (const auto* real = std::get_if<double>(&cell)) {
            sqlite3_bind_double(statement, position, *real);
        } else if (const auto* text = std::get_if<std::string>(&cell)) {
            sqlite3_bind_text(statement, position, text->data(), static_cast<int>(text->size()),
                              SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(statement, position);
        }
    }

    void createIndexes(const Table& table) {
        if (table.schema == nullptr) {
            return;
        }
        for (const auto& index : table.schema->indexes) {
            exec("CREATE INDEX " + sqlite::quoted(schema::sqliteIndexName(table.name, index.name)) +
                 " ON " + sqlite::quoted(table.name) + " (" + sqlite::quoted(index.field) + ")");
        }
    }

    std::string path_;
    sqlite::Database db_;
};

// The catalogue is a file: a device, a pipe or a folder at the output path is refused, not
// replaced or written into. A link to a file is followed, so the link stays.
void requireRegularOrNewFile(const std::string& path) {
    std::error_code error;
    const auto type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found) {
        return;
    }
    if (error) {
        throw BuildError(path + ": cannot write the catalogue: " + error.message());
    }
    if (type != std::filesystem::file_type::regular) {
        throw BuildError(path +
                         ": cannot write the catalogue there: it is not a regular file (the "
                         "catalogue is written only to a regular file or a new one)");
    }
}

// Into a temporary file beside the target, which replaces it only when the whole build
// succeeded.
void writeCatalogue(const std::vector<Table>& tables, const std::string& path) {
    requireRegularOrNewFile(path);
    try {
        FileReplacement file(path);
        {
            Writer writer(file.temporaryPath(), path);
            for (const Table& table : tables) {
                writer.write(table);
            }
            writer.commit();
        }
        file.commit();
    } catch (const FileWriteError& error) {
        throw BuildError(path + ": cannot write the catalogue: " + error.what());
    }
}

// The five tables the program reads, then the reference tables of the design checks.
std::vector<const schema::Table*> builtTables() {
    std::vector<const schema::Table*> tables;
    for (const auto& table : schema::kTables) {
        tables.push_back(&table);
    }
    for (const auto& table : schema::kReferenceTables) {
        tables.push_back(&table);
    }
    return tables;
}

std::string fileNameFor(const std::string& table, const CsvTables& fileNames) {
    const auto named = fileNames.find(table);
    return named != fileNames.end() ? named->second : table + ".csv";
}

}  // namespace

void buildCatalogue(const CsvTables& csv, const std::string& path, const BuildOptions& options,
                    const CsvTables& fileNames) {
    std::vector<Table> tables;
    for (const schema::Table* known : builtTables()) {
        const std::string name(known->name);
        const auto given = csv.find(name);
        if (given != csv.end()) {
            tables.push_back(
                parseTable(name, fileNameFor(name, fileNames), given->second, options.validate));
        } else if (options.validate) {
            throw BuildError(fileNameFor(name, fileNames) + ":1: the table is missing");
        } else {
            tables.push_back(parseTable(name, fileNameFor(name, fileNames), "", false));
        }
    }
    for (const auto& [name, text] : csv) {
        if (schema::findTable(name) == nullptr) {
            tables.push_back(
                parseTable(name, fileNameFor(name, fileNames), text, options.validate));
        }
    }
    if (options.validate) {
        checkCatalogue(tables);
    }
    writeCatalogue(tables, path);
}

void buildCatalogueFromFolder(const std::string& folder, const std::string& path) {
    CsvTables csv;
    CsvTables fileNames;
    for (const schema::Table* table : builtTables()) {
        const std::string name(table->name);
        const std::string file = (std::filesystem::path(folder) / (name + ".csv")).string();
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            throw BuildError(file + ":1: cannot read the file");
        }
        std::ostringstream text;
        text << in.rdbuf();
        csv[name] = text.str();
        fileNames[name] = file;
    }
    buildCatalogue(csv, path, {}, fileNames);
}

}  // namespace coilsmith::csx
