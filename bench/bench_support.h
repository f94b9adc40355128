#pragma once

// What the benchmarks of bench_page share: printing the table, a few statistics, reading
// /proc, starting this program again as a child, the rich entry and the synthetic template.

#include "page/PageSubstituter.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorra::bench {

// Prints one line of the table, without trailing blanks.
void say(QString text);

double toMs(qint64 ns);
double toMB(qint64 bytes); // 1 MB = 10^6 bytes
QString num(double value, int decimals);
QString col(const QString& text, int width);  // right-aligned in width characters
QString left(const QString& text, int width); // left-aligned in width characters
double median(std::vector<double> values);

// Lets written pages of an earlier run reach the disk before the next run is timed.
void settleDisk();

// A file under /proc, read to its end (they report a size of 0).
QByteArray readProcFile(const QString& path);

// A line of /proc/self/status such as "VmHWM:     5124 kB", in kB; -1 when unknown.
qint64 procStatusKb(const QByteArray& key);

QString cpuModel();

// Runs this program again with arguments on the offscreen platform and returns the
// key=value lines it printed; "error" is set when it failed or timed out.
QHash<QString, QString> runChild(const QStringList& arguments, int timeoutMs = 120000);

// The (name, text) pairs in the order of the field table for every field of the window,
// filled as a shop with five products would fill it, the hidden fields made as the window
// makes them before generating. overrides replace entry texts by field name.
QList<PageField> richEntry(const QString& appFolder, const QHash<QString, QString>& overrides = {});

// Writes about targetBytes of HTML with CR LF line ends; every third line holds one
// placeholder in its markup, the others are ordinary markup, text and style rules.
// Returns the number of lines, or -1.
qint64 writeSyntheticTemplate(const QString& path, qint64 targetBytes);

} // namespace quorra::bench
