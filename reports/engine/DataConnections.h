#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace qor::data {
class DataSet;
}

namespace qor::reports {

// The names under which a report project sees the program's datasets
// ("rvdsSessaoCX" -> DM.qrySessaoCX). The caller registers them once.
class DataConnections {
public:
    void add(const QString& name, data::DataSet* dataSet); // replaces a name already there
    data::DataSet* find(const QString& name) const;        // case-insensitive; nullptr when absent
    QStringList names() const;

private:
    struct Entry {
        QString name;
        QPointer<data::DataSet> dataSet;
    };
    QList<Entry> entries_;
};

// A report's use of one dataset. On construction a closed dataset is opened
// (running its current SQL) and every dataset goes to its first row; restore()
// (or the destructor, on an error path) returns it to the state noted before:
// closed again, or back on its row with its filter text and switch.
class ConnectionUse {
public:
    explicit ConnectionUse(data::DataSet& dataSet);
    ~ConnectionUse();
    ConnectionUse(const ConnectionUse&) = delete;
    ConnectionUse& operator=(const ConnectionUse&) = delete;

    data::DataSet& dataSet() const { return *dataSet_; }
    void restore();

private:
    data::DataSet* dataSet_;
    bool wasOpen_;
    QVariant bookmark_;
    QString filter_;
    bool filtered_ = false;
    bool restored_ = false;
};

} // namespace qor::reports
