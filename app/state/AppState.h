#pragma once

#include <QString>
#include <QStringList>

namespace qor::app {

// Program-wide state of the main window. One instance, owned by the
// composition root; panels and handlers reach it by reference.
class AppState {
public:
    static constexpr int kMaxDestinos = 50;

    AppState();

    bool CaixaAberto = false;
    bool DiagnosticoAtivo = false;
    bool ServidorLocal = false;
    QString CodigoEstacao;           // at most 2 characters

    // Destination codes, entries 1..50 stored at [0..49]; beyond QdeDestinos empty.
    QStringList ListaDestinos;
    int QdeDestinos = 0;

    // Held between an order lookup and the save, for the whole run.
    double PrecoFinalRetido = 0.0;   // PRECOFINAL of the last order looked up
    double ValorDigitadoRetido = 0.0; // amount field's value when last left
    bool HistoricoPedido = false;    // the amount check asked for a history text
    bool PedidoConsultado = false;   // an order was looked up in this run
    double ValorRestanteConsultado = 0.0; // its remaining value (the "Val. Restante" box)

    // The activity log of the current identification ("" before the first).
    QString ArquivoLog;
    QString ArquivoDiagnostico;

    const QString& NomeOperador() const { return nomeOperador_; }
    void setNomeOperador(const QString& name) { nomeOperador_ = name.left(30); }
    const QString& LojaPadrao() const { return lojaPadrao_; }
    void setLojaPadrao(const QString& code) { lojaPadrao_ = code.left(10); }

private:
    QString nomeOperador_;
    QString lojaPadrao_;
};

} // namespace qor::app
