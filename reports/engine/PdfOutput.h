#pragma once

#include <QString>

namespace qor::reports {

struct Document;

// The PDF output (rvpdf1): how it is offered when a report is saved to a
// file, and the writer. Qt embeds a subset of every font it uses and writes
// text as CID fonts, so embedFonts and fontEncoding are kept as settings but
// cannot be honoured; the model has no images, so imageQuality has no effect.
struct PdfOutput {
    QString description = QStringLiteral("Adobe Acrobat (PDF)");
    QString filePattern = QStringLiteral("*.pdf");
    bool embedFonts = false;
    int imageQuality = 90;
    int metafileDpi = 300; // the writer's resolution
    QString fontEncoding = QStringLiteral("WinAnsi");

    QString fileDialogFilter() const; // "Adobe Acrobat (PDF) (*.pdf)"
    QString withSuffix(const QString& path) const; // adds ".pdf" when the name has none

    // Writes every page; raises qor::Error (kind IoError) naming the file.
    void write(const Document& doc, const QString& path) const;
};

} // namespace qor::reports
