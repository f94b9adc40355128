#include "platform/QtPrinterService.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTextLayout>

#include <cups/cups.h>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

const QString DocumentName = u"Quorra Development Wizard summary"_s;
const QString NoPrinter = u"There is no default printer."_s;

// The name of the spooler's default destination, or empty when there is none.
QString defaultDestination() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return {};
    const QString name = QString::fromLocal8Bit(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

// The state of a job of the destination, or 0 when the spooler does not list it.
int jobState(const QByteArray& destination, int id) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, destination.constData(), 0, CUPS_WHICHJOBS_ALL);
    int state = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == id)
            state = jobs[i].state;
    }
    cupsFreeJobs(count, jobs);
    return state;
}

} // namespace

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(const QString& pdfFile)
    : m_pdfFile(pdfFile) {}

QtPrinterService::~QtPrinterService() = default;

bool QtPrinterService::printLine(const QString& text) {
    if (!m_started) {
        // The first line starts the document; without a printer there is none to start.
        if (m_pdfFile.isEmpty() && defaultDestination().isEmpty()) {
            m_error = NoPrinter;
            return false;
        }
        m_started = true;
    }
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_lines += plain.split(u'\n');
    return true;
}

bool QtPrinterService::endDocument() {
    m_started = false;
    const QStringList lines = std::exchange(m_lines, {});
    if (!m_pdfFile.isEmpty())
        return paintTo(lines, m_pdfFile, {});
    const QString printerName = defaultDestination();
    if (printerName.isEmpty()) {
        m_error = NoPrinter;
        return false;
    }
    // The document is drawn into a PDF file on the printer's default page, then handed to
    // the spooler, which says whether the queue took it.
    QTemporaryFile pdf(QDir::tempPath() + u"/quorra-summary-XXXXXX.pdf"_s);
    if (!pdf.open()) {
        m_error = pdf.errorString();
        return false;
    }
    pdf.close();
    return paintTo(lines, pdf.fileName(), printerName) && submit(pdf.fileName(), printerName);
}

void QtPrinterService::abortDocument() {
    m_lines.clear();
    m_started = false;
}

bool QtPrinterService::paintTo(const QStringList& lines, const QString& pdfFile, const QString& printerName) {
    QPrinter printer(QPrinter::ScreenResolution);
    if (!printerName.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
        if (!info.isNull())
            printer.setPageSize(info.defaultPageSize());
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    printer.setDocName(DocumentName);
    if (!paint(printer, lines)) {
        m_error = u"The summary could not be drawn."_s;
        return false;
    }
    return true;
}

bool QtPrinterService::submit(const QString& pdfFile, const QString& printerName) {
    const QByteArray destination = printerName.toLocal8Bit();
    const int id =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.constData(), QFile::encodeName(pdfFile).constData(),
                       DocumentName.toUtf8().constData(), 0, nullptr);
    if (id == 0) {
        m_error = QString::fromUtf8(cupsLastErrorString());
        return false;
    }
    // A job the spooler dropped at once did not reach the printer. A held or pending one
    // (a paused queue) will print later.
    const int state = jobState(destination, id);
    if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) {
        m_error = u"The print job was stopped by the spooler."_s;
        return false;
    }
    return true;
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
        // A path or an address longer than the line is broken anywhere rather than cut off.
        QTextLayout layout(line, painter.font(), &printer);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
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
