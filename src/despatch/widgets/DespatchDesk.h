#pragma once

#include "services/Services.h"

#include <QObject>
#include <QString>

#include <functional>

class QGroupBox;
class QPushButton;

namespace quorra {

class EntryForm;
class PagePublisher;

// The last step: the list of files to send, Print Page with its printed summary, and
// whether the summary has been printed.
class DespatchDesk : public QObject {
    Q_OBJECT
public:
    // themeEntry gives the catalogue entry the theme box shows, for the summary.
    DespatchDesk(EntryForm& entry, const PagePublisher& publisher, const Services& services,
                 std::function<QString()> themeEntry, QObject* parent);

    // The despatch list's font and the Print Page button of the last step.
    void buildPrintControls(QGroupBox* panel);

    void FillDespatchList();
    void PrintSummary();
    void cmdPrint_Click();

    bool summaryPrinted() const { return m_summaryPrinted; }
    void setSummaryPrinted(bool printed) { m_summaryPrinted = printed; }

private:
    EntryForm& m_entry;
    const PagePublisher& m_publisher;
    Services m_services;
    std::function<QString()> m_themeEntry;
    QPushButton* m_cmdPrint = nullptr;
    bool m_summaryPrinted = false;
};

} // namespace quorra
