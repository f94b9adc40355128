#pragma once

#include "services/PrinterService.h"

#include <QString>
#include <QStringList>

class QPrinter;

namespace quorra {

// Prints on the system's default printer with its default font and page, or into a PDF
// file when given one. Each line starts at the left margin; a line wider than the page
// is wrapped at the right margin and a new page begins when one is full. The lines of a
// document are kept until it ends and then go to the printer as one job, so an aborted
// document never reaches the printer. The job is handed to the print spooler (CUPS)
// directly, so a queue that refuses it is reported as a failure.
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
    // Draws the lines into the PDF file, on the named printer's default page when one is given.
    bool paintTo(const QStringList& lines, const QString& pdfFile, const QString& printerName);
    // Hands the PDF file to the spooler for the printer; false when the queue did not take it.
    bool submit(const QString& pdfFile, const QString& printerName);
    static bool paint(QPrinter& printer, const QStringList& lines);

    QString m_pdfFile;
    bool m_started = false;
    QStringList m_lines;
    QString m_error;
};

} // namespace quorra
