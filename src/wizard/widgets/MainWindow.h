#pragma once

#include "entry/FieldTable.h"
#include "services/Services.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quorra {

class DespatchDesk;
class EntryForm;
class PagePublisher;
struct PageField;
struct PageResult;

// Fixed texts of the main window.
namespace texts {
inline constexpr char16_t WindowTitle[] = u"Quorra Development Wizard";
} // namespace texts

// The wizard's main window: fifteen step panels, the five navigation buttons, the guidance
// and the theme box. It builds the entry form (the fields and their handlers), the page
// publisher (generation and View Page) and the despatch desk (the list and Print Page) on
// its panels and keeps the steps, Help, Cancel, Finish and closing.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    enum Button { Help = 0, Cancel = 1, Back = 2, Next = 3, Finish = 4 };

    MainWindow(const Services& services, const QString& appFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the window without showing it: reset, Step 1, texts, theme and options.
    void Form_Load();

    // Field access by control name; line breaks are CR LF.
    QString fieldText(QAnyStringView name) const;
    void setFieldText(QAnyStringView name, const QString& text);
    // The (name, text) pairs of every field, in the order the page generator tries them.
    QList<PageField> pageFields() const;

    int currentStep() const { return m_currentStep; }
    QString selectedTheme() const;
    bool helpHidden() const { return m_helpHidden; }
    bool summaryPrinted() const;
    QString validationMessage() const;
    QString appFolder() const { return m_appFolder; }
    // True once the window has been unloaded: the program's end.
    bool isUnloaded() const { return m_unloaded; }

    QPushButton* cmdOption(int index) const { return m_cmdOption.at(index); }
    QGroupBox* fFrame(int index) const { return m_fFrame.at(index); }

    // Routines of the wizard, public so that the start-up and the tests can reach them.
    void ResetEntry();
    void ShowStep();
    void ToggleHelp();
    void LoadTexts();
    bool CheckCompanyDetails();
    PageResult GeneratePage();
    void cmdOption_Click(int index);

signals:
    // Emitted when the window has been unloaded and the program should end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildThemeBox(QGroupBox* panel);
    void setTabOrderForPanels();
    void selectFirstTheme();
    void focusFirstControl();
    void Unload();
    void Form_Unload();
    void cboTheme_LostFocus();
    // The catalogue entry the theme box shows.
    QString themeEntry() const;

    Services m_services;
    QString m_appFolder;
    EntryForm* m_entry;
    PagePublisher* m_publisher;
    DespatchDesk* m_despatch;
    std::array<QGroupBox*, StepCount> m_fFrame{};
    std::array<QPushButton*, 5> m_cmdOption{};
    std::array<QWidget*, StepCount> m_firstControl{};
    QLabel* m_picture1 = nullptr;
    QLabel* m_lblStartScreen = nullptr;
    QLabel* m_lblFrame14 = nullptr;
    QComboBox* m_cboTheme = nullptr;

    qint16 m_currentStep = 0;
    bool m_helpHidden = false;
    bool m_unloading = false;
    bool m_unloaded = false;
};

} // namespace quorra
