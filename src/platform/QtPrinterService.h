#pragma once

#include "services/PrinterService.h"

#include <QString>
#include <QStringList>

class QPageLayout;
class QPdfWriter;

namespace quorra {

// Prints on the system's default printer with its default font and page, or into a PDF
// file when given one. Each line starts at the left margin; a line wider than the page
// is wrapped at the right margin and a new page begins when one is full. The lines of a
// document are kept until it ends and then go to the printer as one job, so an aborted
// document never reaches the printer. The job is handed to the print spooler (CUPS)
// directly, so a queue that refuses it is reported as a failure.
//
// The window never freezes on printing: the spooler is asked and the document drawn on a
// thread of their own while the window keeps painting (user input waits) under the wait
// cursor, and a spooler that does not answer within a few seconds counts as a failure.
class QtPrinterService : public PrinterService {
public:
    QtPrinterService();
    explicit QtPrinterService(const QString& pdfFile);
    ~QtPrinterService() override;

    bool printLine(const QString& text) override;
    bool endDocument() override;
    void abortDocument() override;

    // Why the last document failed, for diagnostics.
    QString lastError() const { return m_error; }

private:
    // Draws the lines into a PDF file, then hands it to the default printer's queue.
    bool print(const QStringList& lines);
    // Draws the lines into the PDF file on the page given.
    bool paintTo(const QStringList& lines, const QString& pdfFile, const QPageLayout& page);
    static bool paint(QPdfWriter& writer, const QStringList& lines);

    QString m_pdfFile;
    QStringList m_lines;
    QString m_error;
};

} // namespace quorra
