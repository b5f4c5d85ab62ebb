#include "store/datamodule.h"

DataModule::DataModule(const QString &folder) : m_folder(folder)
{
    for (const TableSchema *schema : schemas::all())
        m_tables.push_back(std::make_unique<Table>(*schema, folder));
    for (auto &table : m_tables)
        table->open();
}

DataModule::~DataModule() = default;
