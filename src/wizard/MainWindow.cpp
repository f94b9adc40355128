#include "wizard/MainWindow.h"

#include "entry/DialogFont.h"
#include "entry/TextRules.h"
#include "page/PageWriter.h"
#include "page/RegularFile.h"
#include "wizard/FieldReader.h"
#include "wizard/WizardLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
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
    , m_appFolder(appFolder) {
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
    m_vatNo->setChecked(true);
    m_summaryPrinted = false;
    m_optItem->setChecked(true);
    refreshFragments();
}

void MainWindow::refreshFragments() {
    // The VAT and postage fragments follow the options the window shows.
    if (m_vatYes->isChecked())
        vatYes_Click();
    else if (m_vatNo->isChecked())
        vatNo_Click();
    if (m_optItem->isChecked())
        optItem_Click();
    else if (m_optShipment->isChecked())
        OptShipment_Click();
}

void MainWindow::selectFirstTheme() {
    // With no themes at all nothing is selected and no theme is chosen.
    if (m_cboTheme->count() == 0) {
        m_cboTheme->setCurrentIndex(-1);
        m_selectedTheme.clear();
        return;
    }
    m_cboTheme->setCurrentIndex(0);
    m_selectedTheme = m_cboTheme->itemText(0);
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
    for (const auto& f : m_fields)
        f->setText(QString());
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
        FillDespatchList();
}

void MainWindow::focusFirstControl() {
    if (QWidget* first = m_firstControl[m_currentStep])
        first->setFocus(Qt::OtherFocusReason);
}

void MainWindow::ToggleHelp() {
    QWidget* help = field(u"txtHelp")->widget();
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

void MainWindow::takeFocus(QWidget* button) {
    // A button takes the focus before it acts, so the field being left reports the loss
    // of focus first (an access key does not move the focus by itself).
    if (button && button->isVisible() && !button->hasFocus())
        button->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::cmdOption_Click(int index) {
    takeFocus(m_cmdOption[index]);

    switch (index) {
    case Help:
        ToggleHelp();
        break;
    case Cancel: {
        m_validationMessage = u"Are you sure you wish to"_s + CrLf + u"cancel data entry and exit?"_s;
        // Escape or the close button leave everything as it was.
        const MessageAnswer answer =
            m_services.messages.show(u"Cancel Data Entry"_s, m_validationMessage, MessageButtons::YesNo,
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
        m_summaryPrinted = false;
        m_currentStep = 0;
        ShowStep();
        LoadTexts();
        selectFirstTheme();
        refreshFragments(); // after the reset emptied the amount
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
            if (!generatePageOrReport())
                return;
            if (!m_summaryPrinted) {
                m_validationMessage =
                    u"You did not print out your despatch list."_s + CrLf + u"Do you wish to print now?"_s;
                if (m_services.messages.show(u"Print Request"_s, m_validationMessage, MessageButtons::YesNo,
                                             MessageIcon::Question, MessageAnswer::No) == MessageAnswer::Yes)
                    PrintSummary();
            }
            Unload();
        } else {
            m_summaryPrinted = false;
            m_validationMessage += CrLf + u"Do you wish to to return to data entry?"_s;
            // Escape or the close button return to the entry: only No ends the program.
            if (m_services.messages.show(u"Incomplete Data Entry"_s, m_validationMessage,
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
    FieldControl* help = field(u"txtHelp");
    help->setText(QString());
    const QString helpPath = m_appFolder + u"/marlixhlp.dat"_s;
    QFile helpFile(helpPath);
    if (!openRegularFile(helpFile)) {
        m_services.messages.show(u"Marlix Help"_s, u"No data in Help File"_s, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    QString guidance;
    for (const QString& line : readFieldsFromBytes(helpFile.read(MaxHelpFileBytes))) {
        guidance += line + CrLf;
        if (guidance.size() > MaxGuidanceChars) {
            guidance.truncate(MaxGuidanceChars);
            guidance += CrLf + u"(The rest of the help file is too long to show.)"_s + CrLf;
            break;
        }
    }
    helpFile.close();
    help->setText(guidance);

    m_lblStartScreen->setText(fromCrLf(StartScreenText));
    m_lblFrame14->setText(fromCrLf(ClosingText));

    const QString themePath = m_appFolder + u"/Theme.txt"_s;
    QFile themeFile(themePath);
    if (!openRegularFile(themeFile)) {
        m_services.messages.show(u"Loading Theme File"_s, u"Theme File Not found"_s, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    const QStringList themes = themeNames(readFieldsFromBytes(themeFile.read(MaxCatalogueBytes)));
    themeFile.close();
    m_cboTheme->clear();
    m_cboTheme->addItems(themes);
}

bool MainWindow::CheckCompanyDetails() {
    struct Required {
        QStringView field;
        QString line;
    };
    const std::array<Required, 3> required{{
        {u"txtCompanyName", u"You must enter a Company Name."_s},
        {u"txtCompanyAddress", u"You must enter a Company Address."_s},
        {u"txtContactName", u"You must enter a Contact Name."_s},
    }};
    m_validationMessage.clear();
    QString message;
    bool complete = true;
    for (const Required& r : required) {
        if (trimBlanks(fieldText(r.field)).isEmpty()) {
            message += r.line + CrLf;
            complete = false;
        }
    }
    if (!complete)
        message += CrLf + CrLf;
    m_validationMessage = message;
    return complete;
}

} // namespace quorra
