// The processes of scripts/load.sh, one per role:
//   qor_load_station setup STATION           sets the suite root of QUELVORA_ROOT up
//   qor_load_station station DATABASE N PAYMENTS ORDERS ORDER_STATION RECORD
//   qor_load_station others STOP_FILE MAX_SECONDS
//   qor_load_station orders DATABASE ORDER_STATION RECORD...
// Each prints "ok: …" and "FAIL: …" lines; an error that ends it early is
// one "FAIL:" line and exit code 1.
#include "app/site/ConfiguraSite.h"
#include "tests/load/Estacao.h"
#include "tests/load/OutrosProgramas.h"
#include "tests/load/Pedidos.h"

#include <QCoreApplication>
#include <QTextStream>
#include <exception>

using namespace qor;

namespace {

int roda(const QStringList& a, QTextStream& out)
{
    const QString modo = a.value(1);
    if (modo == u"setup" && a.size() == 3) {
        app::configuraSite({ QString(), a.at(2) });
        return 0;
    }
    if (modo == u"station" && a.size() == 8)
        return load::rodaEstacao({ a.at(2), a.at(3).toInt(), a.at(4).toInt(), a.at(5).toInt(), a.at(6), a.at(7) }, out);
    if (modo == u"others" && a.size() == 4)
        return load::rodaOutrosProgramas(a.at(2), a.at(3).toInt(), out);
    if (modo == u"orders" && a.size() >= 4)
        return load::conferePedidos(a.at(2), a.at(3), a.mid(4), out);
    out << "FAIL: usage: see the head of tests/load/qor_load_station.cpp\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    try {
        return roda(QCoreApplication::arguments(), out);
    } catch (const std::exception& e) {
        out << "FAIL: " << QCoreApplication::arguments().value(1) << " ended early: " << e.what() << '\n';
        return 1;
    }
}
