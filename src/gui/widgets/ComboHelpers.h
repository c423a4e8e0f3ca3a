#pragma once

#include <QString>

class QComboBox;
class Recordset;

// Selects every entry whose text equals `text` exactly, from the first to the last, so the last
// equal entry wins; when none is equal the selection is unchanged.
void SelectComboItem(QComboBox* combo, const QString& text);

// Replaces the entries with the column's values, Null as "", in the recordset's order.
void FillCombo(QComboBox* combo, const Recordset& recordset, const QString& columnName);

// Type-ahead for an editable combo box: finds the first entry that begins with the typed text
// (without regard to case), selects it, and highlights the part the user has not typed, so that
// typing on replaces the suggestion. Nothing changes when no entry begins with the text.
void ComboAutoComplete(QComboBox* combo);

// Runs ComboAutoComplete on the combo box whenever the user changes its text with a key of code
// 32 or above: printable keys complete, while Backspace, Delete and the other editing keys
// leave the text as the user made it. Also turns off Qt's own completion, which would compete.
void EnableTypeAhead(QComboBox* combo);
