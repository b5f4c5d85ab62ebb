#include "store/datamodule.h"

DataModule::DataModule(const QString &folder) : m_folder(folder), m_store(std::make_unique<Store>(folder, true)) {
    std::vector<const TableSchema *> schemas = schemas::all();
    schemas.push_back(&schemas::P1_odlozene());
    for (const TableSchema *schema : schemas)
        m_tables.push_back(std::make_unique<Table>(*schema, *m_store));
    m_store->recover(schemas);
    for (auto &table : m_tables)
        table->open();
}

DataModule::~DataModule() {
    m_store->close();
}
