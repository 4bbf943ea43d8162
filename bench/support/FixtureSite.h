#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace qor::bench {

// A fresh suite root holding a copy of a benchmark's fixture as its cash
// folder, so runs never change the cached fixture.
struct FixtureSite {
    QTemporaryDir root;
    explicit FixtureSite(const QString& fixture)
    {
        QDir(root.path()).mkpath(QStringLiteral("dados"));
        QFile::copy(fixture, file());
        qputenv("QUELVORA_ROOT", root.path().toLocal8Bit());
    }
    QString file() const { return root.path() + QStringLiteral("/dados/qorcaixa.sqlite"); }
};

} // namespace qor::bench
