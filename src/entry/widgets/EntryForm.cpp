#include "entry/widgets/EntryForm.h"

#include "entry/PaymentFragments.h"
#include "entry/TextRules.h"
#include "entry/widgets/AmountKeyFilter.h"
#include "entry/widgets/Controls.h"
#include "page/PageSubstituter.h"
#include "services/FileDialogService.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

const QStringList CardNames{u"Access"_s, u"Amex"_s, u"Delta"_s, u"Switch"_s, u"Visa"_s};

} // namespace

EntryForm::EntryForm(FileDialogService& fileDialog, QWidget* window)
    : QObject(window)
    , m_fileDialog(fileDialog)
    , m_window(window) {}

EntryForm::~EntryForm() = default;

void EntryForm::buildFields(std::span<QGroupBox* const> panels) {
    auto* amountFilter = new AmountKeyFilter(m_window);
    for (const FieldSpec& fieldDef : fieldTable()) {
        QWidget* parent = fieldDef.panel >= 0 ? static_cast<QWidget*>(panels[fieldDef.panel]) : m_window;
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
}

void EntryForm::buildPaymentControls(QGroupBox* panel) {
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
    connect(m_vatYes, &QRadioButton::clicked, this, &EntryForm::vatYes_Click);
    connect(m_vatNo, &QRadioButton::clicked, this, &EntryForm::vatNo_Click);
}

void EntryForm::buildPostageControls(QGroupBox* panel) {
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
    connect(m_optItem, &QRadioButton::clicked, this, &EntryForm::optItem_Click);
    connect(m_optShipment, &QRadioButton::clicked, this, &EntryForm::OptShipment_Click);
}

// ---------------------------------------------------------------------------------------
// The fields by name

FieldControl* EntryForm::field(QAnyStringView name) const {
    for (const auto& f : m_fields) {
        if (QAnyStringView::equal(name, f->name()))
            return f.get();
    }
    return nullptr;
}

QString EntryForm::fieldText(QAnyStringView name) const {
    const FieldControl* f = field(name);
    return f ? f->text() : QString();
}

void EntryForm::setFieldText(QAnyStringView name, const QString& text) {
    if (FieldControl* f = field(name))
        f->setText(text);
}

QList<PageField> EntryForm::pageFields() const {
    QList<PageField> list;
    list.reserve(qsizetype(m_fields.size()));
    for (const auto& f : m_fields)
        list.append(PageField{QString(f->name()), f->text()});
    return list;
}

QStringList EntryForm::acceptedCards() const {
    QStringList accepted;
    for (int i = 0; i < m_lstCreditCards->count(); ++i) {
        if (m_lstCreditCards->item(i)->isSelected())
            accepted.append(m_lstCreditCards->item(i)->text());
    }
    return accepted;
}

void EntryForm::clear() {
    for (const auto& f : m_fields)
        f->setText(QString());
}

// ---------------------------------------------------------------------------------------
// VAT and postage

void EntryForm::selectFirstOptions() {
    m_vatNo->setChecked(true);
    m_optItem->setChecked(true);
    refreshFragments();
}

void EntryForm::refreshFragments() {
    if (m_vatYes->isChecked())
        vatYes_Click();
    else if (m_vatNo->isChecked())
        vatNo_Click();
    if (m_optItem->isChecked())
        optItem_Click();
    else if (m_optShipment->isChecked())
        OptShipment_Click();
}

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
        watched == field(u"txtAmount")->widget())
        txtAmount_LostFocus();
    return QObject::eventFilter(watched, event);
}

void EntryForm::vatNo_Click() {
    setFieldText(u"txtVAT", vatFragment(false));
}

void EntryForm::vatYes_Click() {
    setFieldText(u"txtVAT", vatFragment(true));
}

void EntryForm::optItem_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Item, fieldText(u"txtAmount")));
}

void EntryForm::OptShipment_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Shipment, fieldText(u"txtAmount")));
}

void EntryForm::txtAmount_LostFocus() {
    if (m_optItem->isChecked())
        optItem_Click();
    else
        OptShipment_Click();
}

// ---------------------------------------------------------------------------------------
// Pictures

QString EntryForm::GetTheImageFile() {
    // "*" shows every file here; "*.*" would hide names without a dot.
    return m_fileDialog.chooseFile(u"All Files (*.*)"_s, u"*"_s);
}

void EntryForm::pictureButton_Click(QLatin1StringView fieldName) {
    // Cancelling the dialog keeps the path the field held.
    const QString path = GetTheImageFile();
    if (!path.isEmpty())
        setFieldText(fieldName, path);
}

// ---------------------------------------------------------------------------------------
// Required details

bool EntryForm::CheckCompanyDetails() {
    struct Required {
        QStringView field;
        QString line;
    };
    const std::array<Required, 3> required{{
        {u"txtCompanyName", u"You must enter a Company Name."_s},
        {u"txtCompanyAddress", u"You must enter a Company Address."_s},
        {u"txtContactName", u"You must enter a Contact Name."_s},
    }};
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
