#include "wizard/MainWindow.h"

#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"
#include "entry/AmountKeyFilter.h"
#include "entry/DialogFont.h"
#include "entry/PaymentFragments.h"
#include "entry/TextRules.h"
#include "entry/Twips.h"
#include "page/PageFragments.h"
#include "page/PageWriter.h"
#include "wizard/AccessibleNames.h"
#include "wizard/FieldReader.h"
#include "wizard/PanelStyle.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

const QString CrLf = u"\r\n"_s;

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

struct ButtonSpec {
    const char* caption;
    int left;
};
constexpr std::array<ButtonSpec, 5> NavigationButtons{{
    {"&Help", 120},
    {"&Cancel", 1320},
    {"<&Back", 3480},
    {"&Next>", 4560},
    {"&Finish", 6120},
}};

constexpr TwipsRect PanelRect{2600, 120, 4600, 3300};
constexpr TwipsRect HelpRect{2600, 120, 4700, 3300};

const QStringList CardNames{u"Access"_s, u"Amex"_s, u"Delta"_s, u"Switch"_s, u"Visa"_s};

QString viewerProgramName() {
#ifdef Q_OS_WIN
    return u"MarlixExp.exe"_s;
#else
    return u"MarlixExp"_s;
#endif
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
// Controls

QLabel* MainWindow::addLabel(QWidget* parent, const QString& caption, const TwipsRect& rect, bool bold) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold)
        label->setFont(dialogFont(true));
    if (rect.width > 0) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QRect r = twipsRect(rect);
        // A caption that wraps onto more lines than its box holds in this font grows
        // downwards, so none of it is cut off.
        r.setHeight(qMax(r.height(), label->heightForWidth(r.width())));
        label->setGeometry(r);
    } else {
        label->move(twips(rect.left), twips(rect.top));
        label->adjustSize();
    }
    return label;
}

void MainWindow::buildControls() {
    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(u"Picture1"_s);
    m_picture1->setGeometry(twipsRect(120, 120, 2535, 3495));
    m_picture1->setFrameShape(QFrame::Panel);
    m_picture1->setFrameShadow(QFrame::Sunken);
    m_picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture1->setPixmap(QPixmap(u":/art/logo.png"_s));

    auto* panelStyle = new PanelStyle;
    for (int i = 0; i < StepCount; ++i) {
        auto* panel = new QGroupBox(this);
        panel->setObjectName(u"fFrame"_s);
        panel->setProperty("index", i);
        panel->setGeometry(twipsRect(PanelRect));
        panel->setStyle(panelStyle);
        panel->hide();
        m_fFrame[i] = panel;
    }
    panelStyle->setParent(this); // the last child, so it outlives the panels

    // The text fields, in the window's creation order; each panel's other controls are
    // added by buildPanel when its first field comes up, or afterwards.
    auto* amountFilter = new AmountKeyFilter(this);
    for (const FieldSpec& fieldDef : fieldTable()) {
        QWidget* parent = fieldDef.panel >= 0 ? static_cast<QWidget*>(m_fFrame[fieldDef.panel]) : this;
        QLabel* label = fieldDef.label ? addLabel(parent, QString::fromLatin1(fieldDef.label),
                                                  fieldDef.labelRect, fieldDef.boldLabel)
                                       : nullptr;
        auto control = std::make_unique<FieldControl>(fieldDef, parent);
        QWidget* w = control->widget();
        if (label)
            label->setBuddy(w);
        if (fieldDef.amountOnly)
            w->installEventFilter(amountFilter);
        if (fieldDef.button) {
            auto* button = new QPushButton(u".."_s, parent);
            button->setObjectName(QString::fromLatin1(fieldDef.button));
            button->setGeometry(twipsRect(fieldDef.buttonRect));
            const QLatin1StringView name = fieldDef.name;
            connect(button, &QPushButton::clicked, this, [this, button, name] {
                takeFocus(button);
                pictureButton_Click(name);
            });
        }
        if (fieldDef.name == "txtAmount"_L1)
            w->installEventFilter(this);
        m_fields.push_back(std::move(control));
    }
    for (int i = 0; i < StepCount; ++i)
        buildPanel(i);

    QPlainTextEdit* help = field(u"txtHelp")->textEdit();
    help->setReadOnly(true);
    help->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(NavigationButtons[i].caption), this);
        button->setObjectName(u"cmdOption"_s);
        button->setProperty("index", i);
        button->setGeometry(twipsRect(NavigationButtons[i].left, 3600, 1095, 375));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOption_Click(i); });
        m_cmdOption[i] = button;
    }
    setTabOrderForPanels();
    nameControlsForScreenReaders(*this);
}

void MainWindow::buildPanel(int index) {
    QGroupBox* panel = m_fFrame[index];
    switch (index) {
    case 0: {
        m_lblStartScreen = addLabel(panel, u"a"_s, {240, 360, 4095, 1575});
        m_lblStartScreen->setObjectName(u"lblStartScreen"_s);
        QLabel* label8 = addLabel(panel, u"Website Theme:"_s, {1560, 1920, 0, 0}, true);
        label8->setObjectName(u"label8"_s);
        m_cboTheme = new QComboBox(panel);
        m_cboTheme->setObjectName(u"cboTheme"_s);
        m_cboTheme->setEditable(true);
        m_cboTheme->setInsertPolicy(QComboBox::NoInsert);
        m_cboTheme->setGeometry(twipsRect(240, 2280, 3975, 315));
        m_cboTheme->installEventFilter(this);
        label8->setBuddy(m_cboTheme);
        break;
    }
    case 3: {
        QLabel* cards = addLabel(panel, u"Credit Card Acceptance"_s, {240, 480, 0, 0});
        m_lstCreditCards = new QListWidget(panel);
        m_lstCreditCards->setObjectName(u"lstCreditCards"_s);
        m_lstCreditCards->setSelectionMode(QAbstractItemView::MultiSelection);
        m_lstCreditCards->addItems(CardNames);
        m_lstCreditCards->setGeometry(twipsRect(2400, 480, 1575, 1185));
        cards->setBuddy(m_lstCreditCards);
        QLabel* vat = addLabel(panel, u"Vat Registered"_s, {240, 2520, 0, 0});
        m_vatYes = new QRadioButton(u"Yes"_s, panel);
        m_vatYes->setObjectName(u"vatYes"_s);
        m_vatYes->move(twips(2400), twips(2520) - 3);
        m_vatYes->adjustSize();
        m_vatNo = new QRadioButton(u"No"_s, panel);
        m_vatNo->setObjectName(u"vatNo"_s);
        m_vatNo->move(twips(3240), twips(2520) - 3);
        m_vatNo->adjustSize();
        auto* group = new QButtonGroup(panel);
        group->addButton(m_vatYes);
        group->addButton(m_vatNo);
        m_vatYes->setChecked(true);
        vat->setBuddy(m_vatYes);
        connect(m_vatYes, &QRadioButton::clicked, this, &MainWindow::vatYes_Click);
        connect(m_vatNo, &QRadioButton::clicked, this, &MainWindow::vatNo_Click);
        break;
    }
    case 4: {
        QLabel* postage = addLabel(panel, u"Postage"_s, {240, 360, 0, 0}, true);
        addLabel(
            panel,
            u"If you do not charge postage then please enter 0.00 in the Amount box and click in either Item or Shipment."_s,
            {240, 600, 3855, 375});
        m_optItem = new QRadioButton(u"Per Item"_s, panel);
        m_optItem->setObjectName(u"optItem"_s);
        m_optItem->setGeometry(twipsRect(1200, 1320, 1695, 375));
        m_optShipment = new QRadioButton(u"Per Shipment"_s, panel);
        m_optShipment->setObjectName(u"OptShipment"_s);
        m_optShipment->setGeometry(twipsRect(1200, 1800, 1695, 375));
        auto* group = new QButtonGroup(panel);
        group->addButton(m_optItem);
        group->addButton(m_optShipment);
        postage->setBuddy(m_optItem);
        connect(m_optItem, &QRadioButton::clicked, this, &MainWindow::optItem_Click);
        connect(m_optShipment, &QRadioButton::clicked, this, &MainWindow::OptShipment_Click);
        break;
    }
    case 13: {
        m_lblFrame14 = addLabel(panel, u"a"_s, {360, 480, 3975, 2055});
        m_lblFrame14->setObjectName(u"lblFrame14"_s);
        m_cmdView = new QPushButton(u"&View Page"_s, panel);
        m_cmdView->setObjectName(u"cmdView"_s);
        m_cmdView->setGeometry(twipsRect(1680, 2760, 1455, 375));
        connect(m_cmdView, &QPushButton::clicked, this, &MainWindow::cmdView_Click);
        break;
    }
    case 14: {
        field(u"txtDespatch")->widget()->setFont(fixedPitchFont());
        m_cmdPrint = new QPushButton(u"&Print Page"_s, panel);
        m_cmdPrint->setObjectName(u"cmdPrint"_s);
        m_cmdPrint->setGeometry(twipsRect(1680, 2760, 1455, 375));
        connect(m_cmdPrint, &QPushButton::clicked, this, &MainWindow::cmdPrint_Click);
        break;
    }
    default:
        break;
    }
}

void MainWindow::setTabOrderForPanels() {
    QList<QWidget*> chain;
    for (int i = 0; i < StepCount; ++i) {
        QList<QWidget*> controls;
        for (QWidget* w : m_fFrame[i]->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->focusPolicy() & Qt::TabFocus)
                controls.append(w);
        }
        std::stable_sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        m_firstControl[i] = controls.isEmpty() ? nullptr : controls.front();
        chain += controls;
    }
    chain.append(field(u"txtHelp")->widget());
    for (QPushButton* b : m_cmdOption)
        chain.append(b);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

FieldControl* MainWindow::field(QAnyStringView name) const {
    for (const auto& f : m_fields) {
        if (QAnyStringView::equal(name, f->name()))
            return f.get();
    }
    return nullptr;
}

QString MainWindow::fieldText(QAnyStringView name) const {
    const FieldControl* f = field(name);
    return f ? f->text() : QString();
}

void MainWindow::setFieldText(QAnyStringView name, const QString& text) {
    if (FieldControl* f = field(name))
        f->setText(text);
}

QList<PageField> MainWindow::pageFields() const {
    QList<PageField> list;
    list.reserve(qsizetype(m_fields.size()));
    for (const auto& f : m_fields)
        list.append(PageField{QString(f->name()), f->text()});
    return list;
}

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
            m_services.cursor.setWaitCursor();
            const PageResult result = GeneratePage();
            m_services.cursor.restoreCursor();
            if (!result.ok) {
                reportGenerationFailure(result);
                return;
            }
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

void MainWindow::reportGenerationFailure(const PageResult& result) {
    m_services.messages.show(
        u"Page Not Generated"_s,
        u"Your page could not be generated, so the wizard stays open with everything you entered."_s + CrLf +
            CrLf + result.error,
        MessageButtons::Ok, MessageIcon::Information);
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
    if (!QFileInfo(helpPath).isFile() || !helpFile.open(QIODevice::ReadOnly)) {
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
    if (!QFileInfo(themePath).isFile() || !themeFile.open(QIODevice::ReadOnly)) {
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

void MainWindow::cboTheme_LostFocus() {
    // Typed text that names no theme leaves the chosen theme as it was, and the box shows
    // that theme again, so what the user sees is what is used.
    const int typed =
        m_cboTheme->findText(m_cboTheme->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (typed >= 0) {
        m_cboTheme->setCurrentIndex(typed);
        m_selectedTheme = m_cboTheme->itemText(typed);
        return;
    }
    const int chosen = m_cboTheme->findText(m_selectedTheme, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_cboTheme->setCurrentIndex(chosen);
    m_cboTheme->setEditText(m_selectedTheme);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The editable theme box would take Alt with a letter as typed text; let the access
    // keys of the buttons have it.
    if (watched == m_cboTheme && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_cboTheme)
            cboTheme_LostFocus();
        else if (watched == field(u"txtAmount")->widget())
            txtAmount_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// VAT and postage

void MainWindow::vatNo_Click() {
    setFieldText(u"txtVAT", vatFragment(false));
}

void MainWindow::vatYes_Click() {
    setFieldText(u"txtVAT", vatFragment(true));
}

void MainWindow::optItem_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Item, fieldText(u"txtAmount")));
}

void MainWindow::OptShipment_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Shipment, fieldText(u"txtAmount")));
}

void MainWindow::txtAmount_LostFocus() {
    if (m_optItem->isChecked())
        optItem_Click();
    else
        OptShipment_Click();
}

// ---------------------------------------------------------------------------------------
// Pictures

QString MainWindow::GetTheImageFile() {
    // "*" shows every file here; "*.*" would hide names without a dot.
    return m_services.fileDialog.chooseFile(u"All Files (*.*)"_s, u"*"_s);
}

void MainWindow::pictureButton_Click(QLatin1StringView fieldName) {
    // Cancelling the dialog keeps the path the field held.
    const QString path = GetTheImageFile();
    if (!path.isEmpty())
        setFieldText(fieldName, path);
}

// ---------------------------------------------------------------------------------------
// Page

QString MainWindow::pageFile() const {
    return pageFileName(m_appFolder, m_selectedTheme);
}

PageResult MainWindow::GeneratePage() {
    for (const CardImage& card : cardImages())
        setFieldText(card.field, QString());
    for (int i = 0; i < m_lstCreditCards->count(); ++i) {
        const QListWidgetItem* item = m_lstCreditCards->item(i);
        if (!item->isSelected())
            continue;
        if (const CardImage* card = cardForEntry(item->text()))
            setFieldText(card->field, QString(card->tag));
    }
    for (int n = 1; n <= 5; ++n) {
        const QString num = QString::number(n);
        setFieldText(QString(u"txtPurchase"_s + num),
                     purchaseText(n, fieldText(QString(u"txtProCode"_s + num)),
                                  fieldText(QString(u"txtProDesc"_s + num)),
                                  fieldText(QString(u"txtProPrice"_s + num)),
                                  fieldText(QString(u"txtProPicture"_s + num))));
    }
    QDir::setCurrent(m_appFolder);
    return generatePageFile(m_appFolder, m_selectedTheme, pageFields());
}

void MainWindow::cmdView_Click() {
    takeFocus(m_cmdView);
    if (!CheckCompanyDetails()) {
        m_services.messages.show(u"Incomplete Data Entry"_s, m_validationMessage, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    m_services.cursor.setWaitCursor();
    const PageResult result = GeneratePage();
    m_services.cursor.restoreCursor();
    if (!result.ok) {
        reportGenerationFailure(result);
        return;
    }
    const QString viewer = m_appFolder + u'/' + viewerProgramName();
    if (!m_services.launcher.startDetached(viewer, {QDir::toNativeSeparators(pageFile())})) {
        m_services.messages.show(u"File Not Found"_s, u"Error Opening your Browser"_s, MessageButtons::Ok,
                                 MessageIcon::None);
    }
}

// ---------------------------------------------------------------------------------------
// Despatch

namespace {

PictureFields pictureFields(const MainWindow& w) {
    PictureFields p;
    p.logo = w.fieldText(u"txtCompanyLogo");
    p.picture1 = w.fieldText(u"txtPicture1");
    p.picture2 = w.fieldText(u"txtPicture2");
    for (int n = 1; n <= 5; ++n)
        p.products[n - 1] = w.fieldText(QString(u"txtProPicture"_s + QString::number(n)));
    return p;
}

} // namespace

void MainWindow::FillDespatchList() {
    setFieldText(u"txtDespatch", despatchList(QDir::toNativeSeparators(pageFile()), pictureFields(*this)));
}

void MainWindow::PrintSummary() {
    SummaryInput input;
    const int index = m_cboTheme->currentIndex();
    input.themeEntry = index >= 0 ? m_cboTheme->itemText(index) : m_cboTheme->currentText();
    input.companyName = fieldText(u"txtCompanyName");
    input.companyAddress = fieldText(u"txtCompanyAddress");
    input.telephone = fieldText(u"txtCompanyTelephone");
    input.fax = fieldText(u"txtCompanyFax");
    input.contactName = fieldText(u"txtContactName");
    input.email = fieldText(u"txtEmailAddress");
    input.pageFile = QDir::toNativeSeparators(pageFile());
    input.pictures = pictureFields(*this);

    PrinterService& printer = m_services.printer;
    bool ok = true;
    for (const QString& line : summaryLines(input)) {
        if (!printer.printLine(line)) {
            ok = false;
            break;
        }
    }
    ok = ok && printer.endDocument();
    const QString title = QString::fromUtf16(texts::AppTitle);
    if (!ok) {
        printer.abortDocument();
        m_services.messages.show(title, u"There was a problem printing to your printer."_s,
                                 MessageButtons::Ok, MessageIcon::None);
        return;
    }
    m_services.messages.show(
        title,
        u"A list of files required by us to create your e-commerce web page have been sent to your printer."_s +
            CrLf + CrLf +
            u"You must now save these files to disk and post them to the address detailed on the print out or email them to us."_s,
        MessageButtons::Ok, MessageIcon::None);
}

void MainWindow::cmdPrint_Click() {
    takeFocus(m_cmdPrint);
    PrintSummary();
    m_summaryPrinted = true;
}

} // namespace quorra
