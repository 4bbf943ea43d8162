#pragma once

namespace qor::app {

// Qt's own texts (the buttons of the message boxes, the print and file
// dialogs) in Brazilian Portuguese, from the translation Debian installs
// with qt6-translations-l10n. The program's own texts are Portuguese
// already. Returns false, leaving Qt's English, when the file is missing.
bool instalaTraducaoDoQt();

} // namespace qor::app
