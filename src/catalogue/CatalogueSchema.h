#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

// The tables, fields and named indexes the program reads from Cores.csx. Header-only, so
// the catalogue build tool can share it without linking the store.
namespace coilsmith::schema {

enum class FieldType { Text, Integer, Real };

struct Field {
    std::string_view name;
    FieldType type;
};

struct Index {
    std::string_view name;   // the name the program chooses it by ("PrimaryKey")
    std::string_view field;  // its one key field
};

struct Table {
    std::string_view name;
    std::span<const Field> fields;
    std::span<const Index> indexes;
};

inline constexpr std::array<Field, 12> kECoreFields{{
    {"CoreNo", FieldType::Text},
    {"AC", FieldType::Real},
    {"VC", FieldType::Real},
    {"LC", FieldType::Real},
    {"WC", FieldType::Real},
    {"a_dim", FieldType::Real},
    {"b_dim", FieldType::Real},
    {"c_dim", FieldType::Real},
    {"d_dim", FieldType::Real},
    {"f_dim", FieldType::Real},
    {"g_dim", FieldType::Real},
    {"GAP", FieldType::Real},
}};

inline constexpr std::array<Field, 7> kToroidFields{{
    {"CoreNo", FieldType::Text},
    {"AC", FieldType::Real},
    {"VC", FieldType::Real},
    {"LC", FieldType::Real},
    {"OD", FieldType::Real},
    {"ID", FieldType::Real},
    {"HT", FieldType::Real},
}};

inline constexpr std::array<Field, 2> kLinkFields{{
    {"Core", FieldType::Text},
    {"Mat", FieldType::Text},
}};

// Permeabilities are whole numbers in every maker's table; the rest are measured values.
inline constexpr std::array<Field, 18> kMaterialFields{{
    {"MatNo", FieldType::Text},
    {"Permeab", FieldType::Integer},
    {"Density", FieldType::Real},
    {"ah", FieldType::Real},
    {"bh", FieldType::Real},
    {"ch", FieldType::Real},
    {"dh", FieldType::Real},
    {"eh", FieldType::Real},
    {"ab", FieldType::Real},
    {"bb", FieldType::Real},
    {"cb", FieldType::Real},
    {"db", FieldType::Real},
    {"eb", FieldType::Real},
    {"al", FieldType::Real},
    {"bl", FieldType::Real},
    {"cl", FieldType::Real},
    {"dl", FieldType::Real},
    {"Cost", FieldType::Real},
}};

// Reference tables for design checks: the maker's published DC-bias curve of each mix and
// the round magnet-wire gauges.
inline constexpr std::array<Field, 4> kBiasCurveFields{{
    {"MatNo", FieldType::Text},
    {"a", FieldType::Real},
    {"b", FieldType::Real},
    {"c", FieldType::Real},
}};

inline constexpr std::array<Field, 4> kWireFields{{
    {"AWG", FieldType::Integer},
    {"BareDiameter", FieldType::Real},
    {"OverallDiameter", FieldType::Real},
    {"Resistance20C", FieldType::Real},
}};

inline constexpr std::array<Index, 1> kCorePrimaryKey{{{"PrimaryKey", "CoreNo"}}};
inline constexpr std::array<Index, 1> kLinkCoreIndex{{{"CoreNo", "Core"}}};
inline constexpr std::array<Index, 1> kMaterialPrimaryKey{{{"PrimaryKey", "MatNo"}}};
inline constexpr std::array<Index, 1> kWirePrimaryKey{{{"PrimaryKey", "AWG"}}};

inline constexpr std::string_view kECores = "E-Cores";
inline constexpr std::string_view kToroids = "Toroids";
inline constexpr std::string_view kCoreMaterials = "Core_Materials";
inline constexpr std::string_view kToroidMaterials = "Toroid_Materials";
inline constexpr std::string_view kMaterials = "Materials";
inline constexpr std::string_view kBiasCurves = "Bias_Curves";
inline constexpr std::string_view kWires = "Wires";

// In the order the build tool creates them: referenced tables before the link tables.
inline constexpr std::array<Table, 5> kTables{{
    {kECores, kECoreFields, kCorePrimaryKey},
    {kToroids, kToroidFields, kCorePrimaryKey},
    {kMaterials, kMaterialFields, kMaterialPrimaryKey},
    {kCoreMaterials, kLinkFields, kLinkCoreIndex},
    {kToroidMaterials, kLinkFields, kLinkCoreIndex},
}};

// Built into the catalogue beside the five, read only by the design checks.
inline constexpr std::array<Table, 2> kReferenceTables{{
    {kBiasCurves, kBiasCurveFields, kMaterialPrimaryKey},
    {kWires, kWireFields, kWirePrimaryKey},
}};

inline constexpr std::string_view kFileName = "Cores.csx";

// The schema of a table by name, or nullptr for a table the program does not know.
constexpr const Table* findTable(std::string_view name) noexcept {
    for (const Table& table : kTables) {
        if (table.name == name) {
            return &table;
        }
    }
    for (const Table& table : kReferenceTables) {
        if (table.name == name) {
            return &table;
        }
    }
    return nullptr;
}

// The SQLite index name of a named index: "<table>.<index>".
inline std::string sqliteIndexName(std::string_view table, std::string_view index) {
    std::string name(table);
    name += '.';
    name += index;
    return name;
}

}  // namespace coilsmith::schema
