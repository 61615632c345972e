// Damaged catalogue cells never crash a ranking, never show a figure that is not finite, and
// a row that makes no physical sense never gives a completed design.
#include <gtest/gtest.h>

#include <random>

#include "DamagedCatalogue.h"
#include "TempCatalogue.h"

namespace coilsmith::test {
namespace {

std::string described(const std::vector<CellDamage>& damage, const CsvSet& full) {
    std::string text;
    for (const CellDamage& d : damage)
        text += d.table + " " + full.at(d.table)[d.row][0] + " " +
                full.at(d.table).front()[d.column] + " = '" + d.text + "'; ";
    return text;
}

// Rows by their key, fields by name: the cells that crashed or misled before.
CellDamage cell(const CsvSet& full, const std::string& table, const std::string& key,
                const std::string& field, std::string text) {
    const CsvRows& rows = full.at(table);
    const auto column = static_cast<std::size_t>(
        std::find(rows.front().begin(), rows.front().end(), field) - rows.front().begin());
    for (std::size_t row = 1; row < rows.size(); ++row)
        if (rows[row][0] == key)
            return {table, row, column, std::move(text)};
    ADD_FAILURE() << table << " has no row " << key;
    return {};
}

// Fixed cases first, then a seeded stream of one to three damaged cells per catalogue.
TEST(DamagedCatalogue, SeededDamageNeverCrashesMisleadsOrShowsANonFiniteFigure) {
    const CsvSet full = readCsvSet(CATALOGUE_CSV_DIR);
    std::vector<std::vector<CellDamage>> cases = {
        {cell(full, "E-Cores", "E100", "d_dim", "1e19")},
        {cell(full, "E-Cores", "E100", "g_dim", "1e19")},
        {cell(full, "Wires", "9", "OverallDiameter", "1e-20")},
        {cell(full, "Wires", "9", "OverallDiameter", "0.5")},
        {cell(full, "Bias_Curves", "-26", "b", "-9.7e-06")},
        {cell(full, "Materials", "-26", "al", "1e300")},
        {cell(full, "Toroids", "T106", "VC", "1e300")},
        {cell(full, "Toroids", "T106", "HT", "1e20")}};
    std::mt19937 random(20);  // the same damage on every run
    const auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    for (int catalogues = 40; catalogues > 0; --catalogues) {
        std::vector<CellDamage> damage;
        for (std::size_t cells = 1 + pick(3); cells > 0; --cells) {
            const std::string table = kDamageableTables[pick(std::size(kDamageableTables))];
            const CsvRows& rows = full.at(table);
            const std::size_t row = 1 + pick(rows.size() - 1);
            const std::size_t column = pick(rows.front().size());
            damage.push_back(
                {table, row, column, damagedText(rows[row][column], pick(kDamageKinds))});
        }
        cases.push_back(std::move(damage));
    }
    const TempCatalogue scratch{csx::CsvTables{}};
    for (const auto& damage : cases) {
        const std::vector<std::string> faults = rankDamaged(full, damage, scratch.path());
        EXPECT_TRUE(faults.empty()) << described(damage, full) << faults.front();
    }
}

}  // namespace
}  // namespace coilsmith::test
