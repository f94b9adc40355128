#pragma once

#include "entry/widgets/FieldControl.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <span>
#include <vector>

class QGroupBox;
class QListWidget;
class QRadioButton;

namespace quorra {

class FileDialogService;
struct PageField;

// The entry the user types: every text field of the window built from the field table
// with its label and picture button, the credit card list, the VAT and postage options
// with the handlers that keep their page fragments, and the required-details check.
class EntryForm : public QObject {
    Q_OBJECT
public:
    EntryForm(FileDialogService& fileDialog, QWidget* window);
    ~EntryForm() override;

    // Creates the text fields in the field table's order, each on its step panel (or on the
    // window), with its label and its ".." button.
    void buildFields(std::span<QGroupBox* const> panels);
    // The credit card list and the VAT options of the payment step.
    void buildPaymentControls(QGroupBox* panel);
    // The postage options of the postage step.
    void buildPostageControls(QGroupBox* panel);

    FieldControl* field(QAnyStringView name) const;
    // A field's text by control name; line breaks are CR LF.
    QString fieldText(QAnyStringView name) const;
    void setFieldText(QAnyStringView name, const QString& text);
    // The (name, text) pairs of every field, in the order the page generator tries them.
    QList<PageField> pageFields() const;
    // The entries of the credit card list that are selected, in list order.
    QStringList acceptedCards() const;

    // Empties every field.
    void clear();
    // Switches on "No" (VAT) and "Per Item" (postage) and writes their fragments.
    void selectFirstOptions();
    // Rewrites the VAT and postage fragments from the options the window shows.
    void refreshFragments();

    // True when the company name, address and contact name are present; otherwise false,
    // with the lines naming what is missing left in validationMessage().
    bool CheckCompanyDetails();
    QString validationMessage() const { return m_validationMessage; }
    void setValidationMessage(const QString& text) { m_validationMessage = text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString GetTheImageFile();
    void pictureButton_Click(QLatin1StringView field);
    void vatNo_Click();
    void vatYes_Click();
    void optItem_Click();
    void OptShipment_Click();
    void txtAmount_LostFocus();

    FileDialogService& m_fileDialog;
    QWidget* m_window;
    std::vector<std::unique_ptr<FieldControl>> m_fields;
    QListWidget* m_lstCreditCards = nullptr;
    QRadioButton* m_vatYes = nullptr;
    QRadioButton* m_vatNo = nullptr;
    QRadioButton* m_optItem = nullptr;
    QRadioButton* m_optShipment = nullptr;
    QString m_validationMessage;
};

} // namespace quorra
