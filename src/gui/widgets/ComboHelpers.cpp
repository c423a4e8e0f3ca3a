#include "widgets/ComboHelpers.h"

#include "app/General.h"
#include "data/Recordset.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void SelectComboItem(QComboBox* combo, const QString& text) {
    for (int index = 0; index < combo->count(); ++index) {
        if (combo->itemText(index) == text)
            combo->setCurrentIndex(index);
    }
}

void FillCombo(QComboBox* combo, const Recordset& recordset, const QString& columnName) {
    combo->clear();
    const int column = recordset.columnIndex(columnName);
    for (int row = 0; row < recordset.rowCount(); ++row) {
        const QVariant value =
            column >= 0 ? recordset.value(row, column) : recordset.value(row, columnName);
        combo->addItem(General::NullToDefault(value, General::KindText).toString());
    }
}

void ComboAutoComplete(QComboBox* combo) {
    const QString typed = combo->currentText();
    if (typed.isEmpty())
        return;
    const QString wanted = typed.toUpper();
    const int length = int(typed.size());
    for (int index = 0; index < combo->count(); ++index) {
        const QString entry = combo->itemText(index);
        if (entry.left(length).toUpper() != wanted)
            continue;
        combo->setCurrentIndex(index);
        if (QLineEdit* edit = combo->lineEdit()) {
            // setCurrentIndex leaves the text alone when the index does not change.
            edit->setText(entry);
            edit->setSelection(length, int(entry.size()) - length);
        }
        return;
    }
}

namespace {

// The key code as the platform's key-up event reports it: printable keys by their character
// code, the editing and control keys by their small virtual-key numbers.
int keyCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127)
        return text.at(0).toUpper().unicode();
    // Delete, arrows and the like: no character, treated as the control keys they are.
    return 0;
}

class TypeAhead : public QObject {
public:
    explicit TypeAhead(QComboBox* combo)
        : QObject(combo)
        , m_combo(combo) {
        QLineEdit* edit = combo->lineEdit();
        // The combo box holds the focus and hands its keys to the line edit directly, past
        // the line edit's event filters; so the keys are watched on both.
        combo->installEventFilter(this);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] {
            if (m_lastKey >= 32)
                ComboAutoComplete(m_combo);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The code is taken when the key goes down, before the line edit changes its text, so
        // that the change is judged by the key that made it.
        if (event->type() == QEvent::KeyPress)
            m_lastKey = keyCode(static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox* m_combo;
    int m_lastKey = 0;
};

} // namespace

void EnableTypeAhead(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    new TypeAhead(combo);
}
