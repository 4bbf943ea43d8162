#include "app/window/TraducaoDoQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qor::app {

bool instalaTraducaoDoQt()
{
    auto* traducao = new QTranslator(QCoreApplication::instance());
    if (!traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}

} // namespace qor::app
