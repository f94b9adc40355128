#include "despatch/QtPrinterService.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>

namespace quorra {

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(const QString& pdfFile)
    : m_pdfFile(pdfFile) {}

QtPrinterService::~QtPrinterService() = default;

std::unique_ptr<QPrinter> QtPrinterService::makePrinter() const {
    std::unique_ptr<QPrinter> printer;
    if (m_pdfFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::ScreenResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfFile);
    }
    printer->setDocName(QStringLiteral("Quorra Development Wizard summary"));
    return printer;
}

bool QtPrinterService::printLine(const QString& text) {
    if (!m_started) {
        // The first line starts the document; without a printer there is none to start.
        if (m_pdfFile.isEmpty() && QPrinterInfo::defaultPrinter().isNull())
            return false;
        m_started = true;
    }
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_lines += plain.split(u'\n');
    return true;
}

bool QtPrinterService::endDocument() {
    const QStringList lines = std::exchange(m_lines, {});
    m_started = false;
    const std::unique_ptr<QPrinter> printer = makePrinter();
    return printer && paint(*printer, lines);
}

void QtPrinterService::abortDocument() {
    m_lines.clear();
    m_started = false;
}

bool QtPrinterService::paint(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const int lineHeight = QFontMetrics(painter.font(), &printer).lineSpacing();
    int y = 0;
    for (const QString& line : lines) {
        // Break the line where it reaches the right margin; an empty line still takes a row.
        QTextLayout layout(line, painter.font(), &printer);
        layout.beginLayout();
        QList<QTextLine> rows;
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(page.width());
            rows.append(row);
        }
        layout.endLayout();
        for (qsizetype i = 0; i < qMax<qsizetype>(1, rows.size()); ++i) {
            if (y > 0 && y + lineHeight > page.height()) {
                if (!printer.newPage()) {
                    painter.end();
                    return false;
                }
                y = 0;
            }
            if (i < rows.size()) {
                rows[i].setPosition(QPointF(0, 0));
                rows[i].draw(&painter, QPointF(0, y));
            }
            y += lineHeight;
        }
    }
    return painter.end();
}

} // namespace quorra
