// csx-build: turns the catalogue's CSV files into the SQLite database Cores.csx.
#include <iostream>

#include "CsxBuilder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: csx-build <csv-folder> <output.csx>\n";
        return 2;
    }
    try {
        coilsmith::csx::buildCatalogueFromFolder(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
