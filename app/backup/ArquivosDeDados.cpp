#include "app/backup/ArquivosDeDados.h"

#include "data/base/SuitePaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace qor::backup {

namespace {

const QString kArquivo = QStringLiteral("qorcaixa.sqlite");
const QString kAlias = QStringLiteral("_alias/");
const QStringList kAliases{QStringLiteral("QORFDADOS"), QStringLiteral("QUELVORA")};

bool dentro(const QString& caminho, const QString& pasta)
{
    return !pasta.isEmpty() && (caminho == pasta || caminho.startsWith(pasta + QLatin1Char('/')));
}

QString canonico(const QString& caminho)
{
    const QString c = QFileInfo(caminho).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QFileInfo(caminho).absoluteFilePath()) : c;
}

QList<ArquivoDeDados> procura(const QString& base, const QString& fora)
{
    QList<ArquivoDeDados> achados;
    const QString raiz = canonico(base);
    QDirIterator it(raiz, {kArquivo}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString caminho = it.next();
        if (!dentro(caminho, fora))
            achados.append({QDir(raiz).relativeFilePath(caminho), caminho});
    }
    return achados;
}

void ordena(QList<ArquivoDeDados>& arquivos)
{
    std::sort(arquivos.begin(), arquivos.end(),
              [](const ArquivoDeDados& a, const ArquivoDeDados& b) { return a.relativo < b.relativo; });
}

} // namespace

QList<ArquivoDeDados> arquivosDaSuite(const QString& fora)
{
    const QString raiz = canonico(SuitePaths::root());
    const QString excluida = fora.isEmpty() ? QString() : canonico(fora);
    QList<ArquivoDeDados> arquivos = procura(raiz, excluida);
    for (const QString& alias : kAliases) {
        const QString pasta = canonico(SuitePaths::alias(alias));
        const QString arquivo = pasta + QLatin1Char('/') + kArquivo;
        if (!dentro(pasta, raiz) && QFileInfo(arquivo).isFile())
            arquivos.append({kAlias + alias + QLatin1Char('/') + kArquivo, arquivo});
    }
    ordena(arquivos);
    return arquivos;
}

QList<ArquivoDeDados> arquivosDaCopia(const QString& pastaDaCopia)
{
    QList<ArquivoDeDados> arquivos = procura(pastaDaCopia, QString());
    ordena(arquivos);
    return arquivos;
}

QString caminhoNaSuite(const QString& relativo)
{
    if (relativo.startsWith(kAlias)) {
        const QString pasta = SuitePaths::alias(relativo.mid(kAlias.size()).section(QLatin1Char('/'), 0, 0));
        return pasta.isEmpty() ? QString() : pasta + QLatin1Char('/') + kArquivo;
    }
    return SuitePaths::root() + QLatin1Char('/') + relativo;
}

} // namespace qor::backup
