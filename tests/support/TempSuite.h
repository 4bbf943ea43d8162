#pragma once

#include <QString>
#include <QTemporaryDir>

namespace qor::test {

// A fresh suite root in a temporary folder for one test: sets QUELVORA_ROOT
// for the process while it lives and creates the usual folders
// (dados, quitacao). Removed with everything in it on destruction.
class TempSuite {
public:
    TempSuite();
    ~TempSuite();
    TempSuite(const TempSuite&) = delete;
    TempSuite& operator=(const TempSuite&) = delete;

    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;

private:
    QTemporaryDir dir_;
    QByteArray previousRoot_;
    bool hadPreviousRoot_ = false;
};

} // namespace qor::test
