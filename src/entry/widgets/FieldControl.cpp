#include "entry/widgets/FieldControl.h"

#include "entry/TextRules.h"
#include "entry/Twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <limits>

namespace quorra {

namespace {

constexpr int NoLimit = std::numeric_limits<int>::max();

int userLimit(const FieldSpec& fieldDef) {
    return fieldDef.maxLength > 0 ? fieldDef.maxLength : NoLimit;
}

// Alt with a letter is an access key. When no enabled button takes it (Next on the last
// step), the text box would type the letter; it is dropped instead. AltGr, which types
// characters, arrives without the Alt modifier on X11 and as Ctrl+Alt on Windows.
class AccessKeyGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
            if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) &&
                !key->text().isEmpty() && key->text().at(0).isPrint())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Qt lays out a run of characters without a space in a time that grows with the square of
// its length, as every line of it looks for the run's end again: a megabyte pasted as one
// word would hold the window for minutes. While the text holds a run longer than a field
// can show, the editor breaks its lines anywhere, as it breaks such a run anyway; ordinary
// text keeps breaking between words.
constexpr qsizetype LongRun = 1000;

bool hasLongRun(QStringView text) {
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongRun)
            return true;
    }
    return false;
}

// A multi-line text box that switches to breaking anywhere before a long run arrives by
// paste or drop, so that the run is laid out once and only in the quick way.
class FieldTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText() && hasLongRun(source->text()))
            setWordWrapMode(QTextOption::WrapAnywhere);
        QPlainTextEdit::insertFromMimeData(source);
    }
};

// Typing or deleting that makes or ends a long run switches the way of breaking lines.
void keepLayoutLinear(QPlainTextEdit* editor) {
    const QTextDocument* document = editor->document();
    QObject::connect(
        document, &QTextDocument::contentsChange, editor, [editor, document](int from, int, int added) {
            if (editor->wordWrapMode() != QTextOption::WrapAnywhere) {
                // Only the changed lines can have grown a long run.
                const QTextBlock last = document->findBlock(from + added);
                for (QTextBlock block = document->findBlock(from); block.isValid(); block = block.next()) {
                    if (hasLongRun(block.text())) {
                        editor->setWordWrapMode(QTextOption::WrapAnywhere);
                        return;
                    }
                    if (block == last)
                        return;
                }
            } else if (!hasLongRun(document->toRawText())) {
                editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            }
        });
}

} // namespace

FieldControl::FieldControl(const FieldSpec& fieldDef, QWidget* parent)
    : m_spec(&fieldDef) {
    QWidget* w = nullptr;
    if (fieldDef.multiLine) {
        m_multi = new FieldTextEdit(parent);
        m_multi->setTabChangesFocus(true);
        m_multi->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m_multi->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        keepLayoutLinear(m_multi);
        m_multi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_multi->setVerticalScrollBarPolicy(fieldDef.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
        w = m_multi;
    } else {
        m_line = new QLineEdit(parent);
        m_line->setMaxLength(userLimit(fieldDef));
        m_line->setFrame(true);
        w = m_line;
    }
    w->installEventFilter(new AccessKeyGuard(w));
    w->setObjectName(QString(fieldDef.name));
    w->setGeometry(twipsRect(fieldDef.rect));
    if (fieldDef.visibility != FieldVisibility::Shown)
        w->hide();
}

QWidget* FieldControl::widget() const {
    if (m_multi)
        return m_multi;
    return m_line;
}

QString FieldControl::text() const {
    if (m_multi)
        return toCrLf(m_multi->document()->toRawText());
    return m_line->text();
}

void FieldControl::setText(const QString& text) {
    if (m_multi) {
        if (hasLongRun(text))
            m_multi->setWordWrapMode(QTextOption::WrapAnywhere);
        m_multi->setPlainText(fromCrLf(text));
        return;
    }
    // A program's text is never cut: the limit only stops typing beyond it.
    m_line->setMaxLength(std::max<qsizetype>(userLimit(*m_spec), text.size()) > NoLimit
                             ? NoLimit
                             : int(std::max<qsizetype>(userLimit(*m_spec), text.size())));
    m_line->setText(text);
}

} // namespace quorra
