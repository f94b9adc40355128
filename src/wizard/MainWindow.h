#pragma once

#include "entry/FieldControl.h"
#include "wizard/Services.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quorra {

struct PageField;
struct PageResult;

// Fixed texts of the main window.
namespace texts {
inline constexpr char16_t WindowTitle[] = u"Quorra Development Wizard";
inline constexpr char16_t AppTitle[] = u"MarlixNet";
} // namespace texts

// The wizard's main window: fifteen step panels holding every field of the entry, the
// five navigation buttons and the hidden page fragments. It is the whole data model.
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
    QString selectedTheme() const { return m_selectedTheme; }
    bool helpHidden() const { return m_helpHidden; }
    bool summaryPrinted() const { return m_summaryPrinted; }
    QString validationMessage() const { return m_validationMessage; }
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
    void FillDespatchList();
    void PrintSummary();
    void cmdOption_Click(int index);
    void cmdView_Click();
    void cmdPrint_Click();

signals:
    // Emitted when the window has been unloaded and the program should end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildPanel(int index);
    QLabel* addLabel(QWidget* parent, const QString& caption, const TwipsRect& rect, bool bold = false);
    void setTabOrderForPanels();
    void refreshFragments();
    void selectFirstTheme();
    void focusFirstControl();
    void takeFocus(QWidget* button);
    void Unload();
    void Form_Unload();
    QString GetTheImageFile();
    void pictureButton_Click(QLatin1StringView field);
    void vatNo_Click();
    void vatYes_Click();
    void optItem_Click();
    void OptShipment_Click();
    void txtAmount_LostFocus();
    void cboTheme_LostFocus();
    // Generates the page under the wait pointer; on failure tells the user why and returns false.
    bool generatePageOrReport();
    QString pageFile() const;
    FieldControl* field(QAnyStringView name) const;

    Services m_services;
    QString m_appFolder;
    std::vector<std::unique_ptr<FieldControl>> m_fields;
    std::array<QGroupBox*, StepCount> m_fFrame{};
    std::array<QPushButton*, 5> m_cmdOption{};
    std::array<QWidget*, StepCount> m_firstControl{};
    QLabel* m_picture1 = nullptr;
    QLabel* m_lblStartScreen = nullptr;
    QLabel* m_lblFrame14 = nullptr;
    QComboBox* m_cboTheme = nullptr;
    QListWidget* m_lstCreditCards = nullptr;
    QRadioButton* m_vatYes = nullptr;
    QRadioButton* m_vatNo = nullptr;
    QRadioButton* m_optItem = nullptr;
    QRadioButton* m_optShipment = nullptr;
    QPushButton* m_cmdView = nullptr;
    QPushButton* m_cmdPrint = nullptr;

    qint16 m_currentStep = 0;
    QString m_selectedTheme;
    bool m_helpHidden = false;
    bool m_summaryPrinted = false;
    QString m_validationMessage;
    bool m_unloading = false;
    bool m_unloaded = false;
};

} // namespace quorra
