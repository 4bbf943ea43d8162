#include "app/widgets/DataSource.h"

namespace qor::widgets {

using data::DataSetState;

DataSource::DataSource(const QString& name, data::DataSet* dataSet, app::MessageBoxes& boxes, QObject* parent)
    : QObject(parent), boxes_(boxes)
{
    setObjectName(name);
    setDataSet(dataSet);
}

void DataSource::setDataSet(data::DataSet* dataSet)
{
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    dataSet_ = dataSet;
    if (dataSet) {
        connections_ << connect(dataSet, &data::DataSet::stateChanged, this, [this] {
            if (!controlsDisabled())
                emit stateChanged();
        });
        connections_ << connect(dataSet, &data::DataSet::rowChanged, this, [this] {
            if (!controlsDisabled())
                emit rowChanged();
        });
        connections_ << connect(dataSet, &data::DataSet::fieldChanged, this, [this](const QString& field) {
            if (!controlsDisabled())
                emit fieldChanged(field);
        });
    }
    emit dataSetChanged();
}

bool DataSource::isEditing() const
{
    if (!dataSet_)
        return false;
    const DataSetState s = dataSet_->state();
    return s == DataSetState::Edit || s == DataSetState::Insert;
}

bool DataSource::beginEdit()
{
    if (!dataSet_ || !dataSet_->active())
        return false;
    if (dataSet_->state() == DataSetState::Browse)
        dataSet_->edit();
    return isEditing();
}

void DataSource::updateRecord()
{
    const auto links = links_;
    for (DataLink* link : links)
        link->updateRecord();
}

void DataSource::post()
{
    updateRecord();
    if (dataSet_)
        dataSet_->post();
}

void DataSource::disableControls() { ++disabled_; }

void DataSource::enableControls()
{
    if (disabled_ > 0 && --disabled_ == 0) {
        emit stateChanged();
        emit rowChanged();
    }
}

void DataSource::addLink(DataLink* link)
{
    if (!links_.contains(link))
        links_ << link;
}

void DataSource::removeLink(DataLink* link) { links_.removeAll(link); }

} // namespace qor::widgets
