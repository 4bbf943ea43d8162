#pragma once

#include <QString>

#include <memory>

namespace qor::data {

class Database;

// One unit of work on the data file behind a location (alias or suite
// folder): what the tables of that folder store between construction and
// commit() is kept together, or, when the scope ends without commit() (an
// exception on the way), undone together. Nests inside another one.
class Transaction {
public:
    explicit Transaction(const QString& location);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    std::shared_ptr<Database> db_;
    QString savepoint_;
    bool done_ = false;
};

} // namespace qor::data
