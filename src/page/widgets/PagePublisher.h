#pragma once

#include "services/Services.h"

#include <QObject>
#include <QString>

class QGroupBox;
class QPushButton;

namespace quorra {

class EntryForm;
struct PageResult;

// The page made from the entry: the selected theme, generation (the generator's fields
// refreshed, then the theme's template written into the page) and View Page, which
// shows the page in the viewer.
class PagePublisher : public QObject {
    Q_OBJECT
public:
    PagePublisher(EntryForm& entry, const Services& services, const QString& appFolder, QObject* parent);

    // The View Page button of the step that offers the preview.
    void buildViewButton(QGroupBox* panel);

    // The catalogue entry whose template generation uses.
    QString selectedTheme() const { return m_selectedTheme; }
    void setSelectedTheme(const QString& theme) { m_selectedTheme = theme; }
    // The page file of the selected theme.
    QString pageFile() const;

    PageResult GeneratePage();
    // Generates the page under the wait pointer; on failure tells the user why and returns false.
    bool generatePageOrReport();
    void cmdView_Click();

private:
    EntryForm& m_entry;
    Services m_services;
    QString m_appFolder;
    QString m_selectedTheme;
    QPushButton* m_cmdView = nullptr;
};

} // namespace quorra
