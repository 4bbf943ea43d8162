#include "reports/engine/DataConnections.h"

#include "data/local/DataSet.h"

namespace qor::reports {

void DataConnections::add(const QString& name, data::DataSet* dataSet)
{
    for (auto& entry : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            entry.dataSet = dataSet;
            return;
        }
    }
    entries_ << Entry{name, dataSet};
}

data::DataSet* DataConnections::find(const QString& name) const
{
    for (const auto& entry : entries_)
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.dataSet.data();
    return nullptr;
}

QStringList DataConnections::names() const
{
    QStringList out;
    for (const auto& entry : entries_)
        out << entry.name;
    return out;
}

ConnectionUse::ConnectionUse(data::DataSet& dataSet) : dataSet_(&dataSet), wasOpen_(dataSet.active())
{
    if (wasOpen_) {
        bookmark_ = dataSet.bookmark();
        filter_ = dataSet.filter();
        filtered_ = dataSet.filtered();
    } else {
        dataSet.open();
    }
    dataSet.first();
}

ConnectionUse::~ConnectionUse()
{
    if (restored_)
        return;
    try {
        restore();
    } catch (...) {
        // Already unwinding from the report's own error, which is the one to report.
    }
}

void ConnectionUse::restore()
{
    restored_ = true;
    if (!wasOpen_) {
        dataSet_->close();
        return;
    }
    if (!dataSet_->active())
        return;
    if (dataSet_->filter() != filter_)
        dataSet_->setFilter(filter_);
    if (dataSet_->filtered() != filtered_)
        dataSet_->setFiltered(filtered_);
    if (bookmark_.isValid())
        dataSet_->goToBookmark(bookmark_);
}

} // namespace qor::reports
