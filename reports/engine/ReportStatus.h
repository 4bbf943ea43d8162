#pragma once

namespace qor::reports {

// Told of progress while a report's pages are generated and printed (the
// status window "Estatus do Relatório" in the program; nothing headless).
class ReportStatus {
public:
    virtual ~ReportStatus() = default;
    virtual void generating(int page) = 0; // page numbers from 1
    virtual void printing(int page) = 0;
    virtual void finished() = 0;
};

} // namespace qor::reports
