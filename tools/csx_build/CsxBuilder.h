#pragma once

#include <map>
#include <stdexcept>
#include <string>

namespace coilsmith::csx {

// A CSV source the catalogue cannot be built from. The message reads "file:line: reason".
class BuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct BuildOptions {
    // The checks a shipped catalogue must pass: every header field known and present, all
    // tables given, no duplicate MatNo, CoreNo or AWG, every link row and bias curve naming
    // an existing core and material, every value the design or its checks compute with
    // present and, where only that makes sense, positive; every row physically sensible
    // (catalogue/RowRules.h: ranges, volumes and path lengths that match the geometry, the
    // window inside the outline, a bias curve at 100 % for H = 0, insulation no thinner
    // than the copper). Tests switch them off to make hostile catalogues; then cells that
    // are not numbers are stored as text, missing fields of a known table become empty
    // columns and missing tables of the five become empty tables.
    bool validate = true;
};

// CSV texts by table name ("E-Cores" -> "CoreNo,AC,...\nE50,0.1009,...").
using CsvTables = std::map<std::string, std::string>;

// Writes a catalogue database with the tables, typed columns and named indexes the program
// reads, into `path`: a new file, or a regular one that is replaced only when the whole
// build succeeds (through a link, the file it points to). Anything else at `path` (a
// device, a pipe, a folder) is refused. Error messages name a table's CSV as
// "<table>.csv" unless `fileNames` gives the file it came from.
void buildCatalogue(const CsvTables& tables, const std::string& path,
                    const BuildOptions& options = {}, const CsvTables& fileNames = {});

// Reads "<folder>/<table>.csv" for each of the five tables and the reference tables
// ("Bias_Curves", "Wires") and builds `path` from them.
void buildCatalogueFromFolder(const std::string& folder, const std::string& path);

}  // namespace coilsmith::csx
