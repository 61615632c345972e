#pragma once

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "CsxBuilder.h"

namespace coilsmith::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() = default;
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    TempDir(TempDir&&) = delete;  // and so no copies either

    const std::filesystem::path& path() const noexcept { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_ = ::mkdtemp(
        (std::filesystem::temp_directory_path() / "coilsmith-cat-XXXXXX").string().data());
    std::error_code ignored_;
};

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A small catalogue that passes every check of the build tool: VC = AC·LC, a toroid's LC
// its mean circumference π·(OD + ID)/2·2.54, the E-core windows inside their outlines.
inline csx::CsvTables goodCsv() {
    // clang-format off
    return {{"E-Cores", "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
                        "E20,0.2,0.5,2.5,0.3,0.5,0.4,0.1,0.3,0.1,0.3,0\n"
                        "E10,0.1,0.2,2.0,0.2,0.4,0.3,0.1,0.2,0.1,0.2,0\n"},
            {"Toroids", "CoreNo,AC,VC,LC,OD,ID,HT\nT1,0.01,0.012,1.2,0.2,0.1,0.1\n"
                        "T2,0.02,0.036,1.8,0.3,0.15,0.1\n"},
            {"Materials", "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n"
                          "-2,10,5.0,10000,0,0,0,0,10000,0,0,0,0,4e9,3e8,2.7e6,1e-15,2.5\n"
                          "-26,75,7.0,10000,0,0,0,0,10000,0,0,0,0,1e9,1.1e8,1.9e6,2e-13,1.0\n"},
            {"Core_Materials", "Core,Mat\nE20,-26\nE10,-2\nE20,-2\n"},
            {"Toroid_Materials", "Core,Mat\nT1,-2\nT2,-26\n"},
            {"Bias_Curves", "MatNo,a,b,c\n-2,0.01,1.8e-07,1.46\n-26,0.01,9.7e-06,1.72\n"},
            {"Wires", "AWG,BareDiameter,OverallDiameter,Resistance20C\n"
                      "-3,11.684,11.773,0.160801\n16,1.2908,1.3645,13.1742\n"}};
    // clang-format on
}

[[nodiscard]] inline bool execSql(const std::string& path, const std::string& sql) {  // to spoil it
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection(raw, sqlite3_close);
    return sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace coilsmith::testing
