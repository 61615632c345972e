#include "catalogue/Records.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "numeric/Fault.h"

namespace coilsmith::catalogue {

namespace {

// The name as the catalogue's indexes compare it: ASCII letters folded to lower case.
std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// The table in the order of its named index; CatalogueError naming the file when the table
// or the index cannot be had.
Recordset tableOf(const std::string& file, std::string_view table, std::string_view index) {
    DataSource source{std::string(table)};
    source.setDatabaseName(file);
    source.refresh();
    Recordset records = source.recordset();
    records.setIndex(index);
    return records;
}

// Calls visit(records) on every record, in the current order.
template <class Visit>
void forEachRecord(Recordset& records, Visit visit) {
    if (records.recordCount() == 0)
        return;
    for (records.goToFirst(); !records.atEnd(); records.goToNext())
        visit(records);
}

// A cell as a number; empty for an empty cell or a text that is not a number.
std::optional<double> number(const Recordset& records, std::string_view field) {
    try {
        const Num value = records.field(field).toNum();
        return value.isNull() ? std::nullopt : std::optional<double>(value.value());
    } catch (const Fault&) {
        return std::nullopt;
    }
}

// A key cell as text; empty for an empty cell.
std::optional<std::string> text(const Recordset& records, std::string_view field) {
    const Value value = records.field(field);
    if (value.isNull())
        return std::nullopt;
    return value.toText();
}

// A gauge number that is whole and an int; empty otherwise.
std::optional<int> gauge(const Recordset& records) {
    const auto value = number(records, "AWG");
    if (!value || *value != std::floor(*value) ||
        std::fabs(*value) > static_cast<double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(*value);
}

RationalFitRecord rationalFit(const Recordset& r, char suffix) {
    const auto field = [&](char letter) { return number(r, std::string{letter, suffix}); };
    return {field('a'), field('b'), field('c'), field('d'), field('e')};
}

// The materials of each core (by folded name) in the link table's "CoreNo" order, each once.
std::unordered_map<std::string, std::vector<std::string>> linkedMaterials(const std::string& file,
                                                                          std::string_view table) {
    std::unordered_map<std::string, std::vector<std::string>> links;
    Recordset records = tableOf(file, table, "CoreNo");
    forEachRecord(records, [&](const Recordset& r) {
        const auto core = text(r, "Core");
        const auto material = text(r, "Mat");
        if (!core || !material)
            return;
        std::vector<std::string>& list = links[foldedName(*core)];
        const auto same = [&](const std::string& m) {
            return foldedName(m) == foldedName(*material);
        };
        if (std::none_of(list.begin(), list.end(), same))
            list.push_back(*material);
    });
    return links;
}

std::vector<CoreRecord> readCores(const std::string& file, std::string_view table,
                                  std::string_view linkTable, bool eCores) {
    auto links = linkedMaterials(file, linkTable);
    std::vector<CoreRecord> cores;
    Recordset records = tableOf(file, table, "PrimaryKey");
    forEachRecord(records, [&](const Recordset& r) {
        auto name = text(r, "CoreNo");
        if (!name)
            return;
        CoreRecord core;
        core.name = std::move(*name);
        core.crossSectionCm2 = number(r, "AC");
        core.volumeCm3 = number(r, "VC");
        core.pathLengthCm = number(r, "LC");
        if (eCores) {
            core.windowCm2 = number(r, "WC");
            core.gapMm = number(r, "GAP");
            core.dimensions =
                ECoreDimensions{number(r, "a_dim"), number(r, "b_dim"), number(r, "c_dim"),
                                number(r, "d_dim"), number(r, "f_dim"), number(r, "g_dim")};
        } else {
            core.dimensions = ToroidDimensions{number(r, "OD"), number(r, "ID"), number(r, "HT")};
        }
        if (const auto found = links.find(foldedName(core.name)); found != links.end())
            core.materials = found->second;
        cores.push_back(std::move(core));
    });
    return cores;
}

std::vector<MaterialRecord> readMaterials(const std::string& file) {
    std::vector<MaterialRecord> materials;
    Recordset records = tableOf(file, schema::kMaterials, "PrimaryKey");
    forEachRecord(records, [&](const Recordset& r) {
        auto name = text(r, "MatNo");
        if (!name)
            return;
        materials.push_back({std::move(*name), number(r, "Permeab"), number(r, "Density"),
                             rationalFit(r, 'h'), rationalFit(r, 'b'), number(r, "al"),
                             number(r, "bl"), number(r, "cl"), number(r, "dl"), number(r, "Cost")});
    });
    return materials;
}

std::vector<BiasCurveRecord> readBiasCurves(const std::string& file) {
    std::vector<BiasCurveRecord> curves;
    Recordset records = tableOf(file, schema::kBiasCurves, "PrimaryKey");
    forEachRecord(records, [&](const Recordset& r) {
        auto name = text(r, "MatNo");
        if (name)
            curves.push_back({std::move(*name), number(r, "a"), number(r, "b"), number(r, "c")});
    });
    return curves;
}

std::vector<WireRecord> readWires(const std::string& file) {
    std::vector<WireRecord> wires;
    Recordset records = tableOf(file, schema::kWires, "PrimaryKey");
    forEachRecord(records, [&](const Recordset& r) {
        if (const auto awg = gauge(r))
            wires.push_back({*awg, number(r, "BareDiameter"), number(r, "OverallDiameter"),
                             number(r, "Resistance20C")});
    });
    return wires;
}

// Position of each name, the first row winning.
template <class Record, class Name>
void indexNames(const std::vector<Record>& records, Name name,
                std::unordered_map<std::string, std::size_t>& index) {
    for (std::size_t i = 0; i < records.size(); ++i)
        index.try_emplace(foldedName(name(records[i])), i);
}

template <class Record, class Key>
const Record* lookUp(const std::vector<Record>& records,
                     const std::unordered_map<Key, std::size_t>& index, const Key& key) {
    const auto found = index.find(key);
    return found == index.end() ? nullptr : &records[found->second];
}

}  // namespace

CatalogueRecords CatalogueRecords::load(const std::string& catalogueFile) {
    std::vector<CoreRecord> cores =
        readCores(catalogueFile, schema::kECores, schema::kCoreMaterials, true);
    std::vector<CoreRecord> toroids =
        readCores(catalogueFile, schema::kToroids, schema::kToroidMaterials, false);
    cores.insert(cores.end(), std::make_move_iterator(toroids.begin()),
                 std::make_move_iterator(toroids.end()));
    return {std::move(cores), readMaterials(catalogueFile), readBiasCurves(catalogueFile),
            readWires(catalogueFile)};
}

CatalogueRecords::CatalogueRecords(std::vector<CoreRecord> cores,
                                   std::vector<MaterialRecord> materials,
                                   std::vector<BiasCurveRecord> biasCurves,
                                   std::vector<WireRecord> wires)
    : cores_(std::move(cores)),
      materials_(std::move(materials)),
      biasCurves_(std::move(biasCurves)),
      wires_(std::move(wires)) {
    for (std::size_t i = 0; i < cores_.size(); ++i) {
        NameIndex& index = cores_[i].shape() == CoreShape::ECore ? eCoreIndex_ : toroidIndex_;
        index.try_emplace(foldedName(cores_[i].name), i);
    }
    indexNames(
        materials_, [](const MaterialRecord& m) { return m.name; }, materialIndex_);
    indexNames(
        biasCurves_, [](const BiasCurveRecord& c) { return c.material; }, biasCurveIndex_);
    for (std::size_t i = 0; i < wires_.size(); ++i)
        wireIndex_.try_emplace(wires_[i].awg, i);
}

const CoreRecord* CatalogueRecords::findCore(std::string_view name,
                                             std::optional<CoreShape> shape) const {
    const std::string key = foldedName(name);
    const CoreRecord* found = nullptr;
    if (shape != CoreShape::Toroid)
        found = lookUp(cores_, eCoreIndex_, key);
    if (!found && shape != CoreShape::ECore)
        found = lookUp(cores_, toroidIndex_, key);
    return found;
}

const MaterialRecord* CatalogueRecords::findMaterial(std::string_view name) const {
    return lookUp(materials_, materialIndex_, foldedName(name));
}

const BiasCurveRecord* CatalogueRecords::findBiasCurve(std::string_view material) const {
    return lookUp(biasCurves_, biasCurveIndex_, foldedName(material));
}

const WireRecord* CatalogueRecords::findWire(int awg) const {
    return lookUp(wires_, wireIndex_, awg);
}

}  // namespace coilsmith::catalogue
