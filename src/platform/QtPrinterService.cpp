#include "platform/QtPrinterService.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <QTextLayout>
#include <QThread>

#include <cups/cups.h>

#include <functional>
#include <memory>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

const QString DocumentName = u"Quorra Development Wizard summary"_s;
const QString NoPrinter = u"There is no default printer."_s;
const QString NoAnswer = u"The print system did not answer."_s;

// The page of a summary written to a PDF file, and of a printer that names none.
QPageLayout a4Page() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
            QPageLayout::Millimeter};
}

// How long one conversation with the spooler (finding the default printer, handing over
// the job) may take; the library's own wait is a minute.
constexpr int SpoolerWaitMs = 5000;

// Runs work on a thread of its own; meanwhile the window thread goes on painting under the
// wait cursor, and the user's input waits until the work is done, so what the user sees
// happens in the same order as before. Off the window thread, or without an application,
// the work runs where it is.
bool runAside(const std::function<bool()>& work) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return work();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool result = false;
    const std::unique_ptr<QThread> thread(QThread::create([&] { result = work(); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    QGuiApplication::restoreOverrideCursor();
    return result;
}

// A connection to the spooler on which every wait ends once the deadline has passed.
class Spooler {
public:
    Spooler()
        : m_http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, SpoolerWaitMs,
                              nullptr)) {
        if (m_http)
            httpSetTimeout(m_http, 0.25, &Spooler::goOn, this);
    }
    ~Spooler() {
        if (m_dest)
            cupsFreeDests(1, m_dest);
        if (m_http)
            httpClose(m_http);
    }
    Spooler(const Spooler&) = delete;
    Spooler& operator=(const Spooler&) = delete;

    // Gives the next conversation its own time.
    void restart() { m_deadline = QDeadlineTimer(SpoolerWaitMs); }
    bool timedOut() const { return !m_http || m_deadline.hasExpired(); }

    // The default destination, or nullptr when there is none or the spooler did not answer.
    cups_dest_t* defaultDestination() {
        if (m_http && !m_dest)
            m_dest = cupsGetNamedDest(m_http, nullptr, nullptr);
        return m_dest;
    }

    // The default page of the destination: A4 with 10 mm margins when the spooler names none.
    QPageLayout defaultPage() {
        QPageLayout page = a4Page();
        cups_dinfo_t* info = m_dest ? cupsCopyDestInfo(m_http, m_dest) : nullptr;
        cups_size_t size{};
        if (info && cupsGetDestMediaDefault(m_http, m_dest, info, 0, &size) && size.width > 0 &&
            size.length > 0) {
            page.setPageSize(
                QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter));
            page.setMargins(
                QMarginsF(size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0));
        }
        if (info)
            cupsFreeDestInfo(info);
        return page;
    }

    // Hands the file to the default destination; empty when the queue took it, else why not.
    QString submit(const QString& pdfFile) {
        const char* name = m_dest->name;
        const int id = cupsPrintFile2(m_http, name, QFile::encodeName(pdfFile).constData(),
                                      DocumentName.toUtf8().constData(), 0, nullptr);
        if (id == 0)
            return timedOut() ? NoAnswer : QString::fromUtf8(cupsLastErrorString());
        // A job the spooler dropped at once did not reach the printer. A held or pending one
        // (a paused queue) will print later.
        const int state = jobState(name, id);
        if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED)
            return u"The print job was stopped by the spooler."_s;
        return {};
    }

private:
    // The state of a job of the destination, or 0 when the spooler does not list it.
    int jobState(const char* destination, int id) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(m_http, &jobs, destination, 0, CUPS_WHICHJOBS_ALL);
        int state = 0;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id == id)
                state = jobs[i].state;
        }
        cupsFreeJobs(count, jobs);
        return state;
    }

    // The library asks at each pause of the spooler whether to go on waiting.
    static int goOn(http_t*, void* spooler) {
        return static_cast<Spooler*>(spooler)->m_deadline.hasExpired() ? 0 : 1;
    }

    QDeadlineTimer m_deadline{SpoolerWaitMs};
    http_t* m_http = nullptr;
    cups_dest_t* m_dest = nullptr;
};

} // namespace

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(const QString& pdfFile)
    : m_pdfFile(pdfFile) {}

QtPrinterService::~QtPrinterService() = default;

bool QtPrinterService::printLine(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_lines += plain.split(u'\n');
    return true;
}

bool QtPrinterService::endDocument() {
    const QStringList lines = std::exchange(m_lines, {});
    return runAside([this, &lines] {
        if (!m_pdfFile.isEmpty())
            return paintTo(lines, m_pdfFile, a4Page());
        return print(lines);
    });
}

void QtPrinterService::abortDocument() {
    m_lines.clear();
}

bool QtPrinterService::print(const QStringList& lines) {
    // The document is drawn into a PDF file on the printer's default page, then handed to
    // the spooler, which says whether the queue took it.
    Spooler spooler;
    if (!spooler.defaultDestination()) {
        m_error = spooler.timedOut() ? NoAnswer : NoPrinter;
        return false;
    }
    const QPageLayout page = spooler.defaultPage();
    QTemporaryFile pdf(QDir::tempPath() + u"/quorra-summary-XXXXXX.pdf"_s);
    if (!pdf.open()) {
        m_error = pdf.errorString();
        return false;
    }
    pdf.close();
    if (!paintTo(lines, pdf.fileName(), page))
        return false;
    spooler.restart(); // drawing a long summary is not the spooler's time
    m_error = spooler.submit(pdf.fileName());
    return m_error.isEmpty();
}

bool QtPrinterService::paintTo(const QStringList& lines, const QString& pdfFile, const QPageLayout& page) {
    QPdfWriter writer(pdfFile);
    writer.setResolution(96);
    writer.setPageLayout(page);
    writer.setTitle(DocumentName);
    if (!paint(writer, lines)) {
        m_error = u"The summary could not be drawn."_s;
        return false;
    }
    return true;
}

bool QtPrinterService::paint(QPdfWriter& writer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRect page = painter.viewport();
    const int lineHeight = QFontMetrics(painter.font(), &writer).lineSpacing();
    QTextOption option;
    // A path or an address longer than the line is broken anywhere rather than cut off.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int y = 0;
    // Moves to the next row, on a new page when this one is full.
    const auto nextRow = [&] {
        if (y > 0 && y + lineHeight > page.height()) {
            if (!writer.newPage())
                return false;
            y = 0;
        }
        return true;
    };
    for (const QString& line : lines) {
        // Break the line where it reaches the right margin; an empty line still takes a row.
        // A long line is laid out a piece at a time, each piece from where the last full row
        // of the one before ended: the text engine needs minutes for a megabyte in one go.
        constexpr qsizetype Piece = 4096;
        qsizetype from = 0;
        do {
            qsizetype size = std::min(Piece, line.size() - from);
            if (from + size < line.size() && line.at(from + size - 1).isHighSurrogate())
                --size;
            const bool last = from + size == line.size();
            QTextLayout layout(line.sliced(from, size), painter.font(), &writer);
            layout.setTextOption(option);
            layout.beginLayout();
            QList<QTextLine> rows;
            for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
                row.setLineWidth(page.width());
                rows.append(row);
            }
            layout.endLayout();
            // The last row of a piece may go on in the next one: it is laid out again there.
            const qsizetype whole = !last && rows.size() > 1 ? rows.size() - 1 : rows.size();
            for (qsizetype i = 0; i < std::max<qsizetype>(1, whole); ++i) {
                if (!nextRow()) {
                    painter.end();
                    return false;
                }
                if (i < whole) {
                    rows[i].setPosition(QPointF(0, 0));
                    rows[i].draw(&painter, QPointF(0, y));
                }
                y += lineHeight;
            }
            from += whole < rows.size() ? rows[whole].textStart() : size;
        } while (from < line.size());
    }
    return painter.end();
}

} // namespace quorra
