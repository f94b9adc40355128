#include "wizard/widgets/MainWindow.h"

#include "despatch/widgets/DespatchDesk.h"
#include "entry/TextRules.h"
#include "entry/widgets/Controls.h"
#include "entry/widgets/DialogFont.h"
#include "entry/widgets/EntryForm.h"
#include "page/PageWriter.h"
#include "page/widgets/PagePublisher.h"
#include "wizard/FieldReader.h"
#include "wizard/widgets/WizardLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

const QString StartScreenText =
    u"The Quorra Wizard will guide you through the process of creating an e-commerce web page with up to five products."_s +
    CrLf + CrLf +
    u"First you must answer a few simple questions about your company and then you will be able to enter information about your products. The wizard will then generate your page."_s;

const QString ClosingText =
    u"Now that you have finished designing "_s + u"your new e-commerce enabled web site "_s +
    u"you may click the View Button to preview "_s + u"your page in your web browser."_s + CrLf + CrLf +
    u"Alternatively you can click the Next> Button "_s +
    u"and continue straight to the final part of this program."_s;

// The guidance of all fifteen steps takes a few thousand characters. A hand-edited help
// file can hold far more, and a text box needs minutes to lay out a single line of a
// megabyte, so only this much of the file is read and shown.
constexpr qint64 MaxHelpFileBytes = 1 << 20;
constexpr qsizetype MaxGuidanceChars = 100'000;
// A catalogue larger than this is read only up to here.
constexpr qint64 MaxCatalogueBytes = 16 << 20;

// A number as the old Str() wrote it: one leading blank for the sign.
QString withSign(int n) {
    return (n < 0 ? u"-"_s : u" "_s) + QString::number(std::abs(n));
}

QString stepCaption(int index) {
    return u"Step "_s + withSign(index + 1) + u"  of "_s + withSign(StepCount);
}

} // namespace

MainWindow::MainWindow(const Services& services, const QString& appFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_services(services)
    , m_appFolder(appFolder)
    , m_entry(new EntryForm(services.fileDialog, this))
    , m_publisher(new PagePublisher(*m_entry, services, appFolder, this))
    , m_despatch(new DespatchDesk(
          *m_entry, *m_publisher, services, [this] { return themeEntry(); }, this)) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(QString::fromUtf16(texts::WindowTitle));
    setFixedSize(twips(7335), twips(4050));
    setFont(dialogFont());
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(u":/art/icon-%1.png"_s.arg(size), QSize(size, size));
    setWindowIcon(icon);
    buildControls();
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------------------------------
// Loading, steps and navigation

void MainWindow::Form_Load() {
    ResetEntry();
    m_currentStep = 0;
    ShowStep();
    m_helpHidden = true;
    LoadTexts();
    selectFirstTheme();
    m_despatch->setSummaryPrinted(false);
    m_entry->selectFirstOptions();
}

void MainWindow::selectFirstTheme() {
    // With no themes at all nothing is selected and no theme is chosen.
    if (m_cboTheme->count() == 0) {
        m_cboTheme->setCurrentIndex(-1);
        m_publisher->setSelectedTheme(QString());
        return;
    }
    m_cboTheme->setCurrentIndex(0);
    m_publisher->setSelectedTheme(m_cboTheme->itemText(0));
}

void MainWindow::ResetEntry() {
    m_cmdOption[Help]->setEnabled(true);
    m_cmdOption[Cancel]->setEnabled(false);
    m_cmdOption[Back]->setEnabled(false);
    m_cmdOption[Next]->setEnabled(true);
    m_cmdOption[Finish]->setEnabled(true);
    for (int i = 0; i < StepCount; ++i) {
        m_fFrame[i]->setGeometry(twipsRect(PanelRect));
        m_fFrame[i]->setTitle(u"Step "_s + withSign(i + 1));
    }
    m_entry->clear();
}

void MainWindow::ShowStep() {
    QGroupBox* panel = m_fFrame[m_currentStep];
    // Only the panel in front is shown, so the keyboard never reaches one behind it.
    for (QGroupBox* other : m_fFrame) {
        if (other != panel)
            other->hide();
    }
    panel->show();
    panel->raise();
    panel->setTitle(stepCaption(m_currentStep));
    panel->update();
    update();
    focusFirstControl();
    if (m_currentStep == 14)
        m_despatch->FillDespatchList();
}

void MainWindow::focusFirstControl() {
    if (QWidget* first = m_firstControl[m_currentStep])
        first->setFocus(Qt::OtherFocusReason);
}

void MainWindow::ToggleHelp() {
    QWidget* help = m_entry->field(u"txtHelp")->widget();
    help->setGeometry(twipsRect(HelpRect));
    // The step under the guidance text is hidden with it, so the keyboard cannot reach a
    // field the user cannot see.
    QGroupBox* panel = m_fFrame[m_currentStep];
    if (m_helpHidden) {
        help->raise();
        help->show();
        panel->hide();
        help->setFocus(Qt::OtherFocusReason); // a screen reader reads it out
        m_cmdOption[Help]->setText(u"&Continue"_s);
        update();
        m_helpHidden = false;
    } else {
        panel->show();
        help->hide();
        focusFirstControl();
        m_cmdOption[Help]->setText(u"&Help"_s);
        update();
        m_helpHidden = true;
    }
}

void MainWindow::cmdOption_Click(int index) {
    takeFocus(m_cmdOption[index]);

    switch (index) {
    case Help:
        ToggleHelp();
        break;
    case Cancel: {
        m_entry->setValidationMessage(u"Are you sure you wish to"_s + CrLf +
                                      u"cancel data entry and exit?"_s);
        // Escape or the close button leave everything as it was.
        const MessageAnswer answer =
            m_services.messages.show(u"Cancel Data Entry"_s, validationMessage(), MessageButtons::YesNo,
                                     MessageIcon::Question, MessageAnswer::Dismissed);
        if (answer == MessageAnswer::Yes) {
            Unload();
            return;
        }
        if (answer != MessageAnswer::No)
            return;
        if (!m_helpHidden)
            ToggleHelp();
        ResetEntry();
        m_despatch->setSummaryPrinted(false);
        m_currentStep = 0;
        ShowStep();
        LoadTexts();
        selectFirstTheme();
        m_entry->refreshFragments(); // after the reset emptied the amount
        break;
    }
    case Back:
        if (!m_helpHidden)
            ToggleHelp();
        if (m_currentStep > 0)
            --m_currentStep;
        if (m_currentStep == 0)
            m_cmdOption[Back]->setEnabled(false);
        m_cmdOption[Next]->setEnabled(true);
        ShowStep();
        break;
    case Next:
        if (!m_helpHidden)
            ToggleHelp();
        m_cmdOption[Back]->setEnabled(true);
        m_cmdOption[Cancel]->setEnabled(true);
        if (m_currentStep >= 14)
            m_cmdOption[Next]->setEnabled(false);
        else
            ++m_currentStep;
        if (m_currentStep == 14)
            m_cmdOption[Next]->setEnabled(false);
        ShowStep();
        break;
    case Finish:
        if (CheckCompanyDetails()) {
            if (!m_publisher->generatePageOrReport())
                return;
            if (!summaryPrinted()) {
                m_entry->setValidationMessage(u"You did not print out your despatch list."_s + CrLf +
                                              u"Do you wish to print now?"_s);
                if (m_services.messages.show(u"Print Request"_s, validationMessage(), MessageButtons::YesNo,
                                             MessageIcon::Question, MessageAnswer::No) == MessageAnswer::Yes)
                    m_despatch->PrintSummary();
            }
            Unload();
        } else {
            m_despatch->setSummaryPrinted(false);
            m_entry->setValidationMessage(validationMessage() + CrLf +
                                          u"Do you wish to to return to data entry?"_s);
            // Escape or the close button return to the entry: only No ends the program.
            if (m_services.messages.show(u"Incomplete Data Entry"_s, validationMessage(),
                                         MessageButtons::YesNo, MessageIcon::Question,
                                         MessageAnswer::Yes) == MessageAnswer::No)
                Unload();
        }
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Closing

void MainWindow::Unload() {
    m_unloading = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_unloading) {
        const MessageAnswer answer = m_services.messages.show(
            QString::fromUtf16(texts::WindowTitle),
            u"Are you sure you wish to exit Program "_s + CrLf + u"without saving your data?"_s,
            MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No);
        if (answer != MessageAnswer::Yes) {
            event->ignore();
            return;
        }
        m_unloading = true;
    }
    Form_Unload();
    event->accept();
    m_unloaded = true;
    emit unloaded();
}

void MainWindow::Form_Unload() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
        if (windows[i] != this && windows[i]->isVisible())
            windows[i]->close();
    }
}

// ---------------------------------------------------------------------------------------
// Texts, theme and details

void MainWindow::LoadTexts() {
    FieldControl* help = m_entry->field(u"txtHelp");
    help->setText(QString());
    const auto helpLines = readDataFile(m_appFolder + u"/marlixhlp.dat"_s, MaxHelpFileBytes);
    if (!helpLines) {
        m_services.messages.show(u"Marlix Help"_s, u"No data in Help File"_s, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    QString guidance;
    for (const QString& line : *helpLines) {
        guidance += line + CrLf;
        if (guidance.size() > MaxGuidanceChars) {
            guidance.truncate(MaxGuidanceChars);
            guidance += CrLf + u"(The rest of the help file is too long to show.)"_s + CrLf;
            break;
        }
    }
    help->setText(guidance);

    m_lblStartScreen->setText(fromCrLf(StartScreenText));
    m_lblFrame14->setText(fromCrLf(ClosingText));

    const auto catalogue = readDataFile(m_appFolder + u"/Theme.txt"_s, MaxCatalogueBytes);
    if (!catalogue) {
        m_services.messages.show(u"Loading Theme File"_s, u"Theme File Not found"_s, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    m_cboTheme->clear();
    m_cboTheme->addItems(themeNames(*catalogue));
}

void MainWindow::cboTheme_LostFocus() {
    // Typed text that names no theme leaves the chosen theme as it was, and the box shows
    // that theme again, so what the user sees is what is used.
    const int typed =
        m_cboTheme->findText(m_cboTheme->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (typed >= 0) {
        m_cboTheme->setCurrentIndex(typed);
        m_publisher->setSelectedTheme(m_cboTheme->itemText(typed));
        return;
    }
    const QString selected = m_publisher->selectedTheme();
    m_cboTheme->setCurrentIndex(m_cboTheme->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString MainWindow::themeEntry() const {
    const int index = m_cboTheme->currentIndex();
    return index >= 0 ? m_cboTheme->itemText(index) : m_cboTheme->currentText();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cboTheme) {
        // The editable theme box would take Alt with a letter as typed text; let the
        // access keys of the buttons have it.
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
                event->ignore();
                return true;
            }
        }
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            cboTheme_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// The features' routines, reached through the window

QString MainWindow::selectedTheme() const {
    return m_publisher->selectedTheme();
}

bool MainWindow::summaryPrinted() const {
    return m_despatch->summaryPrinted();
}

QString MainWindow::validationMessage() const {
    return m_entry->validationMessage();
}

bool MainWindow::CheckCompanyDetails() {
    return m_entry->CheckCompanyDetails();
}

PageResult MainWindow::GeneratePage() {
    return m_publisher->GeneratePage();
}

} // namespace quorra
