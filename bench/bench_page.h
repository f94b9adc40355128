#pragma once

// The five benchmarks of bench_page, one file each. Each prints its table and returns
// whether every case worked; the child-process halves run in a fresh bench_page.

#include "page/PageSubstituter.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quorra::bench {

// 1. Page generation throughput on a 50 MB synthetic template (throughput.cpp).
bool throughput(const QString& root, const QList<PageField>& fields);

// 2. Each shipped theme generated with the rich entry (shipped_themes.cpp).
bool shippedThemes(const QString& root, const QString& appFolder, const QList<PageField>& fields);

// 3. Peak memory of generating, each case in a child (peak_memory.cpp).
bool peakMemory(const QString& root, const QString& appFolder);
int memoryChild(const QStringList& args); // bench_page --memory-child

// 4. The main window from its creation to its first paint, in a child (window_paint.cpp).
bool firstPaint(const QString& appFolder);
int windowChild(const QString& appFolder); // bench_page --window-child

// 5. A megabyte pasted into a field, in a child (field_paste.cpp).
bool pasteIntoFields(const QString& appFolder);
int pasteChild(); // bench_page --paste-child

} // namespace quorra::bench
