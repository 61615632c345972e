#pragma once

// Damaged catalogue cells, shared by the seeded mutation test and the libFuzzer harness: the
// shipped CSV tables with cells replaced (huge, tiny, negative, zero, not a number, empty,
// or any text), built without the build tool's checks, then ranked as the core adviser
// ranks them. Every figure must stay finite, and a row the reader marks as making no
// physical sense must never give a completed design.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Csv.h"
#include "CsxBuilder.h"
#include "adviser/AdviserEngine.h"
#include "catalogue/Catalogue.h"
#include "fakes/FakePrompter.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith::test {

using CsvRows = std::vector<std::vector<std::string>>;  // the header, then the rows
using CsvSet = std::map<std::string, CsvRows>;

// The tables whose cells are damaged; the rows of the reduced set are kept whole.
inline constexpr const char* kDamageableTables[] = {"E-Cores",         "Toroids", "Materials",
                                                    "Bias_Curves",     "Wires",   "Core_Materials",
                                                    "Toroid_Materials"};

struct CellDamage {
    std::string table;
    std::size_t row = 1;     // 1 = the first row under the header
    std::size_t column = 0;  // 0 = the first field
    std::string text;
};

inline CsvSet readCsvSet(const std::string& folder) {
    CsvSet set;
    for (const char* table : kDamageableTables) {
        std::ifstream in(folder + "/" + table + ".csv", std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        for (csx::CsvRecord& record : csx::parseCsv(text))
            set[table].push_back(std::move(record.cells));
    }
    return set;
}

// The texts a damaged cell takes, by kind; the last kinds scale the cell's own number.
inline constexpr const char* kDamageTexts[] = {
    "1e300", "-1e300", "1e19", "1e-20", "4.9e-324", "1e-300", "-1",  "0",
    "-0",    "nan",    "inf",  "-inf",  "abc",      "",       " 7 ", "1,5"};
inline constexpr std::size_t kScalings = 4;  // ×10, ×0.1, ×−1, ×1.2
inline constexpr std::size_t kDamageKinds = std::size(kDamageTexts) + kScalings;

inline std::string damagedText(const std::string& original, std::size_t kind) {
    if (kind < std::size(kDamageTexts))
        return kDamageTexts[kind];
    double value = 0;
    std::istringstream in(original);
    if (!(in >> value))
        return original + "x";
    static constexpr double kFactors[kScalings] = {10, 0.1, -1, 1.2};
    std::ostringstream out;
    out.precision(17);
    out << value * kFactors[(kind - std::size(kDamageTexts)) % kScalings];
    return out.str();
}

inline std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The set cut down to the ranked cores and the cores of damaged rows (their link rows with
// them), the damage applied. Materials, curves and wires stay whole. `rowAt` tells where a
// row of the full set went (1 = the first row under the header).
struct DamagedSet {
    CsvSet set;
    std::map<std::pair<std::string, std::size_t>, std::size_t> rowAt;
};

inline DamagedSet damagedSet(const CsvSet& full, const std::vector<CellDamage>& damage) {
    const auto damagedRow = [&](const std::string& table, std::size_t row) {
        return std::any_of(damage.begin(), damage.end(),
                           [&](const CellDamage& d) { return d.table == table && d.row == row; });
    };
    // Designed besides the damaged cores: every material of the catalogue is offered for one.
    std::vector<std::string> cores = {"T106", "E100"};
    for (const char* table : {"E-Cores", "Toroids"})
        for (std::size_t row = 1; row < full.at(table).size(); ++row)
            if (damagedRow(table, row))
                cores.push_back(full.at(table)[row][0]);
    const auto kept = [&](const std::string& table, std::size_t row) {
        return table == "Materials" || table == "Bias_Curves" || table == "Wires" ||
               damagedRow(table, row) ||
               std::find(cores.begin(), cores.end(), full.at(table)[row][0]) != cores.end();
    };
    DamagedSet damaged;
    for (const auto& [table, rows] : full) {
        CsvRows& out = damaged.set[table];
        out.push_back(rows.front());
        for (std::size_t row = 1; row < rows.size(); ++row) {
            if (!kept(table, row))
                continue;
            damaged.rowAt[{table, row}] = out.size();
            out.push_back(rows[row]);
            for (const CellDamage& d : damage)
                if (d.table == table && d.row == row && d.column < rows[row].size())
                    out.back()[d.column] = d.text;
        }
    }
    return damaged;
}

inline csx::CsvTables csvTables(const CsvSet& set) {
    csx::CsvTables tables;
    for (const auto& [table, rows] : set) {
        std::string& text = tables[table];
        for (const auto& cells : rows) {
            for (std::size_t i = 0; i < cells.size(); ++i)
                text += (i ? "," : "") + csvCell(cells[i]);
            text += "\n";
        }
    }
    return tables;
}

// What is wrong with one candidate of a ranking, or "". Its texts are written from these
// figures.
inline std::string candidateFault(const adviser::Candidate& c) {
    const std::optional<double> figures[] = {
        c.turns,       c.awg,       c.rdc,    c.copperLoss, c.coreLoss, c.totalLoss,
        c.totalWeight, c.tempRise,  c.bmax,   c.bac,        c.hdc,      c.currentDensity,
        c.muEff,       c.cost,      c.coreAP, c.apMargin,   c.volume,   c.fill,
        c.lIdcPercent, c.woundFill, c.hotRise};
    const auto finite = [](std::optional<double> v) { return !v || std::isfinite(*v); };
    if (!c.completed || std::all_of(std::begin(figures), std::end(figures), finite))
        return {};
    return "a figure is not finite";
}

// The damaged row's key and the physical-sense problem the reader finds in it ("" for
// none).
inline std::pair<std::string, std::string> markedRow(const std::string& catalogue,
                                                     const DamagedSet& damaged,
                                                     const CellDamage& d) {
    const std::size_t row = damaged.rowAt.at({d.table, d.row});
    DataSource source{d.table};
    source.setDatabaseName(catalogue);
    source.refresh();
    Recordset records = source.recordset();  // in table order: the rows as written
    records.setAbsolutePosition(static_cast<std::int64_t>(row - 1));
    return {damaged.set.at(d.table)[row][0], std::string(records.rowProblem())};
}

// Builds the damaged set into `catalogue` and ranks it with the default specification of
// the adviser's tests; the faults found, none when all is well. A set the build tool cannot
// even store (it never refuses a cell without its checks) gives none.
inline std::vector<std::string> rankDamaged(const CsvSet& full,
                                            const std::vector<CellDamage>& damage,
                                            const std::string& catalogue) {
    const DamagedSet damaged = damagedSet(full, damage);
    try {
        csx::buildCatalogue(csvTables(damaged.set), catalogue, {.validate = false});
    } catch (const csx::BuildError&) {
        return {};
    }
    clearCatalogueCache();
    FakePrompter prompter;
    ChokeModel window({"/opt/coilsmith", catalogue, {}}, prompter);
    for (const auto& [box, text] :
         {std::pair{"Ldes", "25"}, {"DCC", "25"}, {"ACC", "5"}, {"Freq", "50"}, {"FD", "0.5"}})
        window.editText(box, text);
    window.calculateAreaProduct();
    adviser::AdviserOptions options;
    options.threads = 1;
    const adviser::Ranking ranking =
        adviser::rankCores(sizedSpecificationOf(window), catalogue, options);

    std::vector<std::string> faults;
    for (const adviser::Candidate& c : ranking.candidates)
        if (const std::string fault = candidateFault(c); !fault.empty())
            faults.push_back(c.core + " " + c.material + ": " + fault);
    for (const CellDamage& d : damage) {
        const bool coreRow = d.table == "E-Cores" || d.table == "Toroids";
        if (coreRow || d.table == "Materials") {
            const auto [key, problem] = markedRow(catalogue, damaged, d);
            for (const adviser::Candidate& c : ranking.candidates)
                if (!problem.empty() && (coreRow ? c.core : c.material) == key && c.completed)
                    faults.push_back(c.core + " " + c.material + " completed despite: " + problem);
        }
    }
    return faults;
}

}  // namespace coilsmith::test
