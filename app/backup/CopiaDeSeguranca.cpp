#include "app/backup/CopiaDeSeguranca.h"

#include "app/backup/ArquivoSqlite.h"
#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace qor::backup {

namespace {

const QString kPrefixo = QStringLiteral("qor-caixa-");

QString nomeLivre(const QDir& destino, const QString& base)
{
    QString nome = base;
    for (int n = 2; destino.exists(nome); ++n)
        nome = base + QLatin1Char('-') + QString::number(n);
    return nome;
}

void copiaArquivo(const ArquivoDeDados& arquivo, const QString& copia)
{
    if (!QDir().mkpath(QFileInfo(copia).path()))
        throw Error(kind::IoError, QStringLiteral("Não foi possível criar a pasta ") + QFileInfo(copia).path());
    const ArquivoSqlite origem(arquivo.caminho, ArquivoSqlite::Abertura::Existente);
    ArquivoSqlite destino(copia, ArquivoSqlite::Abertura::Nova);
    destino.copiaDe(origem);
    destino.deixaAutonomo();
    destino.confereIntegridade();
}

} // namespace

// By name is by age: a second backup in the same second ("-2") sorts after
// its stamp and before the next second's.
QStringList copiasEm(const QString& destino)
{
    static const QRegularExpression nome(QStringLiteral("^qor-caixa-\\d{8}-\\d{6}(-\\d+)?$"));
    QStringList copias;
    for (const QString& pasta : QDir(destino).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (nome.match(pasta).hasMatch())
            copias << pasta;
    return copias;
}

CopiaFeita fazCopiaDeSeguranca(const QString& destino, int manter, const Clock& relogio)
{
    const QList<ArquivoDeDados> arquivos = arquivosDaSuite(destino);
    if (arquivos.isEmpty())
        throw Error(kind::FolderNotFound,
                    QStringLiteral("Nenhum arquivo de dados na pasta da suíte ") + SuitePaths::root());
    QDir pastaDestino(destino);
    if (!QDir().mkpath(destino))
        throw Error(kind::IoError, QStringLiteral("Não foi possível criar a pasta ") + destino);

    const QString nome = nomeLivre(pastaDestino, kPrefixo + relogio.now().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString parcial = pastaDestino.filePath(QLatin1Char('.') + nome + QStringLiteral(".parcial"));
    QDir(parcial).removeRecursively();

    CopiaFeita feita;
    try {
        for (const ArquivoDeDados& arquivo : arquivos) {
            const QString copia = parcial + QLatin1Char('/') + arquivo.relativo;
            copiaArquivo(arquivo, copia);
            feita.arquivos.append({arquivo.relativo, QFileInfo(copia).size()});
        }
        if (!pastaDestino.rename(QFileInfo(parcial).fileName(), nome))
            throw Error(kind::IoError, QStringLiteral("Não foi possível criar a pasta ") + pastaDestino.filePath(nome));
    } catch (...) {
        QDir(parcial).removeRecursively();
        throw;
    }
    feita.pasta = QDir::cleanPath(pastaDestino.absoluteFilePath(nome));

    const QStringList copias = copiasEm(destino);
    for (qsizetype i = 0; i < copias.size() - manter; ++i) {
        if (QDir(pastaDestino.filePath(copias.at(i))).removeRecursively())
            feita.removidas << copias.at(i);
    }
    return feita;
}

} // namespace qor::backup
