#include "wizard/widgets/AccessibleNames.h"

#include "entry/FieldTable.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

// A caption as it is spoken: without its access-key mark, the arrows of Back and Next and
// a label's closing colon.
QString spokenCaption(QString caption) {
    static const QRegularExpression accessKey(u"&(?!&)"_s);
    caption.remove(accessKey);
    caption.remove(u'<').remove(u'>');
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption.trimmed();
}

// On Linux Qt announces a combo box by the text it shows and ignores its name. A combo box
// given a name of its own is announced by that name here, the text it shows being its value.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }
    int childCount() const override { return int(parts().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QObject*> list = parts();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list[index])
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(parts().indexOf(child->object())) : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
    // The drop-down list, then the line the text is typed in.
    QList<QObject*> parts() const {
        QList<QObject*> list{box()->view()};
        if (box()->lineEdit())
            list.append(box()->lineEdit());
        return list;
    }
};

QAccessibleInterface* namedComboBoxFactory(const QString& className, QObject* object) {
    if (className != "QComboBox"_L1)
        return nullptr;
    auto* box = qobject_cast<QComboBox*>(object);
    return box && !box->accessibleName().isEmpty() ? new NamedComboBox(box) : nullptr;
}

} // namespace

void nameControlsForScreenReaders(QWidget& window) {
    // Before any name is set: a new name is announced through the control's interface.
    QAccessible::installFactory(namedComboBoxFactory);

    // A label names the control it is the buddy of; for an option it names the question,
    // which every option of the group says before its own caption.
    for (QLabel* label : window.findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (!buddy)
            continue;
        const QString question = spokenCaption(label->text());
        const auto* option = qobject_cast<QAbstractButton*>(buddy);
        if (option && option->group()) {
            for (QAbstractButton* answer : option->group()->buttons())
                answer->setAccessibleName(question + u": "_s + spokenCaption(answer->text()));
            continue;
        }
        buddy->setAccessibleName(question);
        if (auto* box = qobject_cast<QComboBox*>(buddy); box && box->lineEdit())
            box->lineEdit()->setAccessibleName(question);
    }

    for (const FieldSpec& fieldDef : fieldTable()) {
        if (!fieldDef.button)
            continue;
        if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(fieldDef.button)))
            button->setAccessibleName(u"Browse for "_s + QString::fromLatin1(fieldDef.label));
    }

    // The other buttons are named by their captions, which Qt reads without the access-key
    // mark, so the Help button's name follows its caption to "Continue". Only the arrows of
    // Back and Next need a name of its own.
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->accessibleName().isEmpty() &&
            spokenCaption(button->text()) != button->text().remove(u'&'))
            button->setAccessibleName(spokenCaption(button->text()));
    }

    if (auto* guidance = window.findChild<QWidget*>(u"txtHelp"_s))
        guidance->setAccessibleName(u"Guidance"_s);
}

} // namespace quorra
