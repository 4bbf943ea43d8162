#include "data/base/SuitePaths.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace qor {

namespace {

QString& rootOfTheRun()
{
    static QString root;
    return root;
}

} // namespace

void SuitePaths::setRoot(const QString& root) { rootOfTheRun() = root.isEmpty() ? QString() : QDir::cleanPath(root); }

QString SuitePaths::root()
{
    if (!rootOfTheRun().isEmpty())
        return rootOfTheRun();
    const QString fromEnv = qEnvironmentVariable("QUELVORA_ROOT");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
#ifdef Q_OS_WIN
    return QStringLiteral("C:/quelvora");
#else
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/quelvora"));
#endif
}

QString SuitePaths::map(const QString& suitePath)
{
    QString p = suitePath;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QString prefix = QStringLiteral("c:/quelvora");
    if (p.startsWith(prefix, Qt::CaseInsensitive))
        p = p.mid(prefix.size());
    QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const bool endsWithSeparator = p.endsWith(QLatin1Char('/'));
    QString out = root();
    for (int i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1 && !endsWithSeparator;
        const QString& part = parts.at(i);
        const bool isFile = last && part.contains(QLatin1Char('.'));
#ifdef Q_OS_WIN
        out += QLatin1Char('/') + part;
        Q_UNUSED(isFile)
#else
        out += QLatin1Char('/') + (isFile ? part : part.toLower());
#endif
    }
    return out;
}

QString SuitePaths::file(const QString& name) { return root() + QLatin1Char('/') + name; }

QString SuitePaths::alias(const QString& name)
{
    const QString upper = name.toUpper();
    QSettings ini(root() + QStringLiteral("/qorengine.ini"), QSettings::IniFormat);
    const QString configured = ini.value(QStringLiteral("Aliases/") + upper).toString();
    if (!configured.isEmpty())
        return QDir::cleanPath(configured);
    if (upper == QLatin1String("QORFDADOS"))
        return root() + QStringLiteral("/dados");
    if (upper == QLatin1String("QUELVORA"))
        return root();
    return {};
}

QString SuitePaths::location(const QString& aliasOrFolder)
{
    const QString viaAlias = alias(aliasOrFolder);
    if (!viaAlias.isEmpty())
        return viaAlias;
    return map(aliasOrFolder);
}

bool SuitePaths::isSafeCode(const QString& code)
{
    if (code.isEmpty())
        return false;
    for (const QChar c : code) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
        if (!ok)
            return false;
    }
    return true;
}

} // namespace qor
