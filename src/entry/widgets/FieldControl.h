#pragma once

#include "entry/FieldTable.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quorra {

// The text box of one field: a single-line or multi-line editor whose text the program
// reads and writes with CR LF line breaks, never cut by the user's length limit.
class FieldControl {
public:
    FieldControl(const FieldSpec& fieldDef, QWidget* parent);

    const FieldSpec& fieldDef() const { return *m_spec; }
    QLatin1StringView name() const { return m_spec->name; }
    QWidget* widget() const;
    QLineEdit* lineEdit() const { return m_line; }
    QPlainTextEdit* textEdit() const { return m_multi; }

    // The field's text, every line break as CR LF.
    QString text() const;
    // Replaces the field's text (CR LF, LF or CR line breaks); no length limit applies.
    void setText(const QString& text);

private:
    const FieldSpec* m_spec;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_multi = nullptr;
};

} // namespace quorra
