#include "AdviserCatalogues.h"

#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith::test {

std::string shippedCatalogue() {
    return COILSMITH_SHIPPED_CATALOGUE;
}

std::string flatMaterial(const std::string& matNo, double density, double cost) {
    return matNo + ",60," + std::to_string(density) +
           ",10000,0,0,0,0,10000,0,0,0,0,1e9,1e8,1e6,1e-15," + std::to_string(cost) + "\n";
}

csx::CsvTables reasonTables() {
    csx::CsvTables t;
    t["E-Cores"] =
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
        "BIG,2,20,10,3,2.0,1.5,1.0,1.2,0.5,1.0,0\n"
        "BIG2,3,30,10,3,2.2,1.7,1.1,1.2,0.6,1.0,0\n"
        "SMALL,0.5,5,10,1,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "BMAX,0.2,2,10,20,2.0,1.5,1.0,1.2,0.5,1.0,0\n"
        "FULL,4,40,10,0.8,2.0,1.5,1.0,1.2,0.5,1.0,0\n"
        "ZERO,2,20,0,3,2.0,1.5,1.0,1.2,0.5,1.0,0\n";
    t["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\nTBIG,2.5,45,18,3,1.5,1\nTNOHT,2.5,45,18,3,1.5,\n";
    t["Materials"] = "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n" +
                     flatMaterial("M60", 7.0, 2.5) + flatMaterial("M60B", 7.0, 2.5) +
                     flatMaterial("MB", 5.0, 1.0);
    std::string links = "Core,Mat\n";
    for (const char* core : {"BIG", "BIG2", "SMALL", "BMAX", "FULL", "ZERO"}) {
        links += std::string(core) + ",M60\n";
    }
    links += "BIG,M60B\nBIG,MB\nBIG2,MB\n";
    t["Core_Materials"] = links;
    t["Toroid_Materials"] = "Core,Mat\nTBIG,M60\nTBIG,MB\nTNOHT,M60\n";
    return t;
}

ChokeModel specifiedWindow(const std::string& catalogue, Prompter& prompter, const SpecTexts& spec,
                           const NumberLocale& locale) {
    ChokeModel window({"/opt/coilsmith", catalogue, locale}, prompter);
    window.editText("Ldes", spec.inductance);
    window.setListText("Lunit", spec.inductanceUnit);
    window.editText("DCC", spec.dcCurrent);
    window.editText("ACC", spec.rippleCurrent);
    window.editText("Freq", spec.frequency);
    window.editText("FD", spec.fluxDensity);
    window.setListText("CurD", spec.currentDensity);
    window.setListText("WU", spec.windowUtilisation);
    window.calculateAreaProduct();
    return window;
}

adviser::Ranking rankWindow(const ChokeModel& window, const adviser::AdviserOptions& options) {
    return adviser::rankCores(sizedSpecificationOf(window), window.cataloguePath(), options);
}

}  // namespace coilsmith::test
