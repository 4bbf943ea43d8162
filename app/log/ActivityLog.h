#pragma once

#include "app/state/AppState.h"
#include "data/base/Clock.h"

#include <QDateTime>
#include <QString>

namespace qor::app {

// The activity log: one file per identification, "LOG" + yymmdd_hhnn +
// ".txt" in the suite root, Windows-1252 with CR LF. Every line is appended
// and the file closed at once, so it is complete on disk after each call.
// The current file's name lives in AppState::ArquivoLog ("" = no log yet).
// Write failures raise an Error of kind IoError.
class ActivityLog {
public:
    ActivityLog(AppState& state, const Clock& clock) : state_(state), clock_(clock) {}

    // Starts a new log named for this minute (an existing file of that name
    // is emptied) holding the entered line for the name box's text.
    void RegistraEntrada(const QString& nameBoxText);

    // One line, written as given (leading blanks or "- " included).
    void GravaLog(const QString& text);

    // The exit line for the name box's text.
    void RegistraSaida(const QString& nameBoxText);

    static QString fileNameFor(const QDateTime& at);

private:
    AppState& state_;
    const Clock& clock_;
};

} // namespace qor::app
