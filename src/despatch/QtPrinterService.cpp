#include "despatch/QtPrinterService.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <QTextLayout>

namespace quorra {

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(const QString& pdfFile)
    : m_pdfFile(pdfFile) {}

QtPrinterService::~QtPrinterService() {
    abortDocument();
}

bool QtPrinterService::begin() {
    if (m_pdfFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        m_printer = std::make_unique<QPrinter>(info, QPrinter::ScreenResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdfFile);
    }
    m_printer->setDocName(QStringLiteral("Quorra Development Wizard summary"));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_printer.reset();
        return false;
    }
    m_y = 0;
    return true;
}

bool QtPrinterService::printLine(const QString& text) {
    if (!m_painter && !begin())
        return false;
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    for (const QString& line : plain.split(u'\n')) {
        if (!printOneLine(line))
            return false;
    }
    return true;
}

bool QtPrinterService::printOneLine(const QString& line) {
    const QRect page = m_painter->viewport();
    const QFontMetrics metrics(m_painter->font(), m_printer.get());
    const int lineHeight = metrics.lineSpacing();

    // Break the line where it reaches the right margin; an empty line still takes a row.
    QTextLayout layout(line, m_painter->font(), m_printer.get());
    layout.beginLayout();
    QList<QTextLine> rows;
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(page.width());
        rows.append(row);
    }
    layout.endLayout();

    for (qsizetype i = 0; i < qMax<qsizetype>(1, rows.size()); ++i) {
        if (m_y + lineHeight > page.height() && m_y > 0) {
            if (!m_printer->newPage())
                return false;
            m_y = 0;
        }
        if (i < rows.size()) {
            rows[i].setPosition(QPointF(0, 0));
            rows[i].draw(m_painter.get(), QPointF(0, m_y));
        }
        m_y += lineHeight;
    }
    return m_painter->isActive();
}

bool QtPrinterService::endDocument() {
    if (!m_painter && !begin())
        return false;
    const bool ok = m_painter->end();
    m_painter.reset();
    m_printer.reset();
    return ok;
}

void QtPrinterService::abortDocument() {
    if (!m_painter)
        return;
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    m_printer.reset();
}

} // namespace quorra
