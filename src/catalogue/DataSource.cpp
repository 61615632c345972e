#include <exception>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/TableCache.h"

namespace coilsmith {

void DataSource::refresh() {
    if (databaseName_.empty()) {
        throw CatalogueError("No catalogue file is named for table \"" + table_ + "\".");
    }
    recordset_.emplace(catalogue::cachedTable(databaseName_, table_));
}

Recordset& DataSource::recordset() {
    if (!recordset_) {
        throw CatalogueError("The table \"" + table_ + "\" of " + databaseName_ +
                             " has not been opened.");
    }
    return *recordset_;
}

const Recordset& DataSource::recordset() const {
    return const_cast<DataSource*>(this)->recordset();
}

void CatalogueSources::open(const std::string& appDir) {
    openFile(cataloguePath(appDir));
}

void CatalogueSources::openFile(const std::string& path) {
    DataSource* const sources[] = {&eCores, &eCoreMaterials, &materials, &toroids,
                                   &toroidMaterials};
    for (DataSource* source : sources) {
        source->setDatabaseName(path);
    }
    for (DataSource* source : sources) {
        source->refresh();
    }
    eCores.recordset().setIndex("PrimaryKey");
    eCoreMaterials.recordset().setIndex("CoreNo");
    materials.recordset().setIndex("PrimaryKey");
    toroids.recordset().setIndex("PrimaryKey");
    toroidMaterials.recordset().setIndex("CoreNo");
}

std::string CatalogueSources::notice() const {
    for (const DataSource* source :
         {&eCores, &eCoreMaterials, &materials, &toroids, &toroidMaterials}) {
        if (source->isOpen() && !source->recordset().notice().empty()) {
            return source->recordset().notice();
        }
    }
    return {};
}

std::string cataloguePath(const std::string& appDir) {
    std::string path = appDir;
    path += pathSeparator();
    path += schema::kFileName;
    return path;
}

char pathSeparator() noexcept {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

void clearCatalogueCache() {
    catalogue::clearTableCache();
}

}  // namespace coilsmith
