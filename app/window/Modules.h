#pragma once

#include "data/local/Query.h"

#include <QObject>

namespace qor::app {

// What the main window needs of the data module DM: the query the
// shut-down steps run on the local cash tables.
class DataModuleLink {
public:
    virtual ~DataModuleLink() = default;
    virtual data::Query& qryClose() = 0;
};

// Stands in for the data module until the order-database module takes its
// place: holds qryClose on the local cash tables and connects to nothing.
class StandInDataModule final : public QObject, public DataModuleLink {
    Q_OBJECT
public:
    explicit StandInDataModule(QObject* parent = nullptr);
    data::Query& qryClose() override { return qryClose_; }

private:
    data::Query qryClose_;
};

} // namespace qor::app
