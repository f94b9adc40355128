#pragma once

#include "despatch/PrinterService.h"

#include <QString>

#include <memory>

class QPainter;
class QPrinter;

namespace quorra {

// Prints on the system's default printer with its default font and page, or into a PDF
// file when given one. Each line starts at the left margin; a line wider than the page
// is wrapped at the right margin and a new page begins when one is full.
class QtPrinterService : public PrinterService {
public:
    QtPrinterService();
    explicit QtPrinterService(const QString& pdfFile);
    ~QtPrinterService() override;

    bool printLine(const QString& text) override;
    bool endDocument() override;
    void abortDocument() override;

private:
    bool begin();
    bool printOneLine(const QString& line);

    QString m_pdfFile;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    int m_y = 0;
};

} // namespace quorra
