#include "wizard/widgets/MainWindow.h"

#include "despatch/widgets/DespatchDesk.h"
#include "entry/widgets/Controls.h"
#include "entry/widgets/EntryForm.h"
#include "page/PageSubstituter.h"
#include "page/widgets/PagePublisher.h"
#include "wizard/widgets/AccessibleNames.h"
#include "wizard/widgets/PanelStyle.h"
#include "wizard/widgets/WizardLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

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

} // namespace

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
        panel->setGeometry(twipsRect(PanelRect));
        panel->setStyle(panelStyle);
        panel->hide();
        m_fFrame[i] = panel;
    }
    panelStyle->setParent(this); // the last child, so it outlives the panels

    // The text fields, in the window's creation order; then each panel's other controls.
    m_entry->buildFields(m_fFrame);
    buildThemeBox(m_fFrame[0]);
    m_entry->buildPaymentControls(m_fFrame[3]);
    m_entry->buildPostageControls(m_fFrame[4]);
    m_lblFrame14 = addLabel(m_fFrame[13], u"a"_s, {360, 480, 3975, 2055});
    m_lblFrame14->setObjectName(u"lblFrame14"_s);
    m_publisher->buildViewButton(m_fFrame[13]);
    m_despatch->buildPrintControls(m_fFrame[14]);

    QPlainTextEdit* help = m_entry->field(u"txtHelp")->textEdit();
    help->setReadOnly(true);
    help->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(NavigationButtons[i].caption), this);
        button->setObjectName(u"cmdOption"_s);
        button->setGeometry(twipsRect(NavigationButtons[i].left, 3600, 1095, 375));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOption_Click(i); });
        m_cmdOption[i] = button;
    }
    setTabOrderForPanels();
    nameControlsForScreenReaders(*this);
}

void MainWindow::buildThemeBox(QGroupBox* panel) {
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
    chain.append(m_entry->field(u"txtHelp")->widget());
    for (QPushButton* b : m_cmdOption)
        chain.append(b);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

QString MainWindow::fieldText(QAnyStringView name) const {
    return m_entry->fieldText(name);
}

void MainWindow::setFieldText(QAnyStringView name, const QString& text) {
    m_entry->setFieldText(name, text);
}

QList<PageField> MainWindow::pageFields() const {
    return m_entry->pageFields();
}

} // namespace quorra
