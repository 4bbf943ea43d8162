#include "app/widgets/FieldLink.h"

#include "app/widgets/RunHandler.h"

namespace qor::widgets {

FieldLink::FieldLink(QObject* owner, std::function<void()> reload, std::function<void()> flush)
    : owner_(owner), reload_(std::move(reload)), flush_(std::move(flush))
{
}

FieldLink::~FieldLink()
{
    if (source_)
        source_->removeLink(this);
}

void FieldLink::bind(DataSource* source, const QString& field)
{
    if (source_)
        source_->removeLink(this);
    for (const auto& c : connections_)
        QObject::disconnect(c);
    connections_.clear();
    source_ = source;
    field_ = field;
    if (source_) {
        source_->addLink(this);
        connectSource();
    }
    reload_();
}

void FieldLink::connectSource()
{
    auto reloadUnlessWriting = [this] {
        if (!writing_)
            reload_();
    };
    connections_ << QObject::connect(source_, &DataSource::stateChanged, owner_, reloadUnlessWriting);
    connections_ << QObject::connect(source_, &DataSource::rowChanged, owner_, reloadUnlessWriting);
    connections_ << QObject::connect(source_, &DataSource::dataSetChanged, owner_, reloadUnlessWriting);
    connections_ << QObject::connect(source_, &DataSource::fieldChanged, owner_, [this](const QString& f) {
        if (!writing_ && f.compare(field_, Qt::CaseInsensitive) == 0)
            reload_();
    });
}

bool FieldLink::hasValue() const
{
    return source_ && source_->isActive() && source_->dataSet()->hasField(field_);
}

QVariant FieldLink::value() const { return hasValue() ? source_->dataSet()->value(field_) : QVariant(); }

data::FieldKind FieldLink::kind() const
{
    if (!hasValue())
        return data::FieldKind::Text;
    const data::DataSet* ds = source_->dataSet();
    return ds->fields().at(ds->fieldIndex(field_)).kind;
}

bool FieldLink::write(const QVariant& v)
{
    if (!hasValue())
        return false;
    writing_ = true;
    bool written = false;
    app::runHandler(source_->boxes(), [&] {
        if (source_->beginEdit()) {
            source_->dataSet()->setValue(field_, v);
            written = true;
        }
    });
    writing_ = false;
    return written;
}

} // namespace qor::widgets
