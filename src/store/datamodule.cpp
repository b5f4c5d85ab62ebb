#include "store/datamodule.h"

namespace {

std::vector<const TableSchema *> allSchemas() {
    std::vector<const TableSchema *> schemas = schemas::all();
    schemas.push_back(&schemas::P1_odlozene());
    return schemas;
}

} // namespace

DataModule::DataModule(const QString &folder, Store::Durability durability)
    : m_folder(folder), m_store(std::make_unique<Store>(folder, durability)) {
    for (const TableSchema *schema : allSchemas())
        m_tables.push_back(std::make_unique<Table>(*schema, *m_store));
}

DataModule::DataModule(const QString &folder) : DataModule(folder, Store::Durability::Journal) {
    m_store->recover(allSchemas());
    for (auto &table : m_tables)
        table->open();
}

std::unique_ptr<DataModule> DataModule::inMemory(const QString &codeListFolder) {
    std::unique_ptr<DataModule> data(new DataModule(codeListFolder, Store::Durability::MemoryOnly));
    for (auto &table : data->m_tables)
        table->open();
    for (Table *list : {&data->TVQ_OBCE(), &data->TVQ_STRANY(), &data->TVQ_KOAL()})
        list->load();
    return data;
}

DataModule::~DataModule() {
    m_store->close();
}
