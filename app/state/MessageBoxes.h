#pragma once

#include <QString>

#include <exception>

namespace qor::app {

// The one seam through which the program shows a modal message box.
// Four kinds: a plain message (title "QOR Caixa", no icon, OK), a
// confirmation (question icon, Yes/No), an error dialog (error icon, OK) and
// a native box with its own title and the stop icon (OK, or Yes/No).
// In texts "\r" is a line break.
enum class BoxKind { Plain, Confirmation, ErrorDialog, Native };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

struct BoxRequest {
    BoxKind kind = BoxKind::Plain;
    QString title;
    QString text;
    BoxButtons buttons = BoxButtons::Ok;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer show(const BoxRequest& request) = 0;

    void message(const QString& text);
    bool confirm(const QString& text); // true only on Yes
    void errorDialog(const QString& text);
    BoxAnswer native(const QString& title, const QString& text, BoxButtons buttons);

    // The display for an error no handler caught: a plain box naming the
    // error's kind and text.
    void unexpected(const std::exception& e);
};

inline const QString kApplicationTitle = QStringLiteral("QOR Caixa");

} // namespace qor::app
