#pragma once

#include <QString>
#include <QTemporaryDir>

namespace qor::test {

// A fresh suite root in a temporary folder for one test: sets QUELVORA_ROOT
// for the process while it lives and, unless asked for a bare one, sets the
// site up as an installation does (the folders, every local table empty,
// the one-row tables with their row). Removed with everything in it on
// destruction.
class TempSuite {
public:
    enum class Site { SetUp, Bare };
    explicit TempSuite(Site site = Site::SetUp);
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
