#pragma once

#include <QString>

#include <memory>

namespace qor::data {

class Database;

// One unit of work on the data file behind a location (alias or suite
// folder): what the tables of that folder store between construction and
// commit() is kept together, or, when the scope ends without commit() (an
// exception on the way), undone together. Nests inside another one.
//
// The outermost unit takes the file's write lock at once (BEGIN IMMEDIATE,
// waiting on the busy timeout while another program writes), so it never
// fails half-way for a lock another writer took after it began; a nested
// unit is a savepoint inside it.
class Transaction {
public:
    explicit Transaction(const QString& location);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    std::shared_ptr<Database> db_;
    QString savepoint_; // empty for the outermost unit
    bool done_ = false;
};

} // namespace qor::data
