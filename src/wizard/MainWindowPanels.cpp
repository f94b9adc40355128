#include "wizard/MainWindow.h"

#include "entry/AmountKeyFilter.h"
#include "entry/DialogFont.h"
#include "entry/Twips.h"
#include "page/PageSubstituter.h"
#include "wizard/AccessibleNames.h"
#include "wizard/PanelStyle.h"
#include "wizard/WizardLayout.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

// The building of the window's controls from the field table and the control tables.

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

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

const QStringList CardNames{u"Access"_s, u"Amex"_s, u"Delta"_s, u"Switch"_s, u"Visa"_s};

} // namespace

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

} // namespace quorra
