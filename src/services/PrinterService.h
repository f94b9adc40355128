#pragma once

#include <QString>

namespace quorra {

// The system's default printer, one document at a time.
class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Prints one line at the left margin; the first line starts a new document. Text may
    // hold CR LF line breaks, printed as lines of their own. False on any failure.
    virtual bool printLine(const QString& text) = 0;
    // Ends the document and hands it to the printer. False on any failure.
    virtual bool endDocument() = 0;
    // Drops the unfinished document without sending it.
    virtual void abortDocument() = 0;
};

} // namespace quorra
