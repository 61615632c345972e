#include "TestCatalogue.h"

namespace coilsmith::test {

static std::string materialRow(const std::string& matNo) {
    return matNo + ",60,7.0,10000,0,0,0,0,10000,0,0,0,0,1e9,1e8,1e6,1e-15,2.5\n";
}

csx::CsvTables workedTables() {
    csx::CsvTables t;
    t["E-Cores"] =
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
        "EW,0.4,2,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0.1\n"
        "ED,1,10,10,1.5,1.0,0.5,0.25,1.0,0.25,0.5,0\n"
        "EDUP,0.5,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EDUP,0.7,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EC,0.4,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "E11,0.4,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EZ12,0.4,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "ENOLINK,0.4,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EMISS,0.4,1,5,0.25,1.0,0.5,0.25,0.6,0.25,0.5,0\n";
    t["Toroids"] =
        "CoreNo,AC,VC,LC,OD,ID,HT\n"
        "TW,0.6,3,6,1.0,0.5,0.5\n"
        "TNULL,0.4,2,5,1.0,,0.25\n";
    std::string materials =
        "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n" +
        materialRow("M60") +
        "MEB,60,7.0,10000,0,0,0,0,1,2,3,4,0.1234567890123,1e9,1e8,1e6,1e-15,2.5\n";
    std::string e11Links, ez12Links;
    for (int i = 1; i <= 12; ++i) {
        const std::string matNo = (i < 10 ? "M0" : "M") + std::to_string(i);
        materials += materialRow(matNo);
        e11Links += i <= 11 ? "E11," + matNo + "\n" : "";
        ez12Links += "EZ12," + matNo + "\n";
    }
    t["Materials"] = materials;
    const std::string links = "Core,Mat\nEW,M60\nED,M60\nEDUP,M01\nEC,M01\nec,M02\nEC,M03\n" +
                              e11Links + ez12Links + "EMISS,ZZ\nEMISS,M60\nEMISS,M60\n";
    t["Core_Materials"] = links;
    t["Toroid_Materials"] = "Core,Mat\nTW,M60\nTW,M01\nTNULL,M60\n";
    t["Bias_Curves"] = "MatNo,a,b,c\nM60,0.01,1e-4,1\n";
    t["Wires"] = "AWG,BareDiameter,OverallDiameter,Resistance20C\n16,1.2908,1.3645,13.1742\n";
    return t;
}

}  // namespace coilsmith::test
