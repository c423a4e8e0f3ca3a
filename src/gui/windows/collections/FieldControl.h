#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// The entry control of one user-defined field in the collection item editor. The control is
// chosen by the field's type: every type is one entry of the table in FieldControl.cpp, which
// names the kind of control it is entered with and the rule its value must meet, so a new field
// type is added there and nowhere else. Whatever the type, the value is text, as it is stored.
class FieldControl {
public:
    // What a field's control is built from: its definition row.
    struct Setup {
        QString collection;
        int slot = 0; // the FieldID
        int type = 0; // FieldTypeCD
        bool required = false;
        QString listText; // FieldListTX
    };

    // A kind of control (text box, list, ...), defined with the table of types.
    struct Kind;

    FieldControl() = default;
    // The factory: a control of the kind the type calls for, named after its kind and slot
    // ("txtField_2"), set up for the field. An unknown type gives a null FieldControl.
    static FieldControl create(const Setup& setup, QWidget* parent);
    // The kind of control a type is entered with: "TEXTBOX", "LISTBOX", "COMBOBOX", "CHECKBOX"
    // or "DATEPICKER"; "" for an unknown type.
    static QString kindOf(int type);
    // Whether a value is acceptable for a field of the type: text types must not be empty,
    // numbers and amounts must read as such, a date must be one (as the control gives it, ISO).
    static bool isGood(int type, const QString& value);

    bool isNull() const { return m_widget.isNull(); }
    QWidget* widget() const { return m_widget; }
    const Setup& setup() const { return m_setup; }

    // The value as stored: text as typed (without surrounding blanks), the chosen entry, "1" or
    // "0" for a check box, a date as ISO ("YYYY-MM-DD") or "" for no date. A date left as
    // setValue showed it gives back the stored text unchanged, also one in an older short form
    // or one that names no date: opening and saving an item never changes a date.
    QString value() const;
    void setValue(const QString& text);
    // Whether the value is one the field's type accepts; a stored date left untouched is kept.
    bool isGood() const;
    // Empties the control for the next item; a fixed list keeps its choice.
    void clear();
    // Offers again what the field's choices are made of (the values already used, for a memory
    // list), keeping the text shown.
    void refreshChoices();

private:
    FieldControl(const Kind* kind, QWidget* widget, const Setup& setup);

    // Whether the control still shows the value setValue gave it.
    bool untouched() const;

    const Kind* m_kind = nullptr;
    QPointer<QWidget> m_widget;
    Setup m_setup;
    // The text setValue was given, kept for a kind that gives it back untouched, and what the
    // control read right after it was shown.
    bool m_keepStored = false;
    QString m_storedText;
    QString m_shownValue;
};
