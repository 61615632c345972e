#include <exception>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/TableCache.h"

namespace coilsmith {

void DataSource::Refresh() {
    if (databaseName_.empty()) {
        throw CatalogueError("No catalogue file is named for table \"" + table_ + "\".");
    }
    recordset_.emplace(snapshot_ ? snapshot_ : catalogue::cachedTable(databaseName_, table_));
}

bool DataSource::keepSnapshot() noexcept {
    try {
        if (databaseName_.empty()) {
            return false;
        }
        snapshot_ = catalogue::cachedTable(databaseName_, table_);
        return true;
    } catch (const std::exception&) {
        snapshot_.reset();
        return false;
    }
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
    DataSource* const sources[] = {&Data1, &Data2, &Data3, &Data4, &Data5};
    for (DataSource* source : sources) {
        source->setDatabaseName(path);
    }
    for (DataSource* source : sources) {
        source->Refresh();
    }
    Data1.recordset().setIndex("PrimaryKey");
    Data2.recordset().setIndex("CoreNo");
    Data3.recordset().setIndex("PrimaryKey");
    Data4.recordset().setIndex("PrimaryKey");
    Data5.recordset().setIndex("CoreNo");
}

bool CatalogueSources::keepSnapshot() noexcept {
    bool kept = true;
    for (DataSource* source : {&Data1, &Data2, &Data3, &Data4, &Data5}) {
        kept = source->keepSnapshot() && kept;
    }
    return kept;
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
