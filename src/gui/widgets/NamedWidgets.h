#pragma once

#include <QString>
#include <QWidget>
#include <initializer_list>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

// Controls are found by their object names, by the tests and by whoever reads the window's code;
// these create a child control that carries its name from the start. Windows keep each control
// in a member named after it (m_lvwItems for "lvwItems").
namespace NamedWidgets {

// Any control made from its parent alone (a list, a line edit, a grid, a panel).
template <class Widget> Widget* control(const QString& name, QWidget* parent) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}
template <class Widget> Widget* control(const char* name, QWidget* parent) {
    return control<Widget>(QLatin1String(name), parent);
}

// A caption, shown as plain text: captions may quote names the user typed.
QLabel* label(const char* name, const QString& caption, QWidget* parent);
QPushButton* button(const char* name, const QString& caption, QWidget* parent);
QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent);

// The buttons at the foot of a dialog, to the right and in this order.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

// The foot of a dialog that is confirmed or cancelled: "&OK" (cmdOK, the default button) and
// "&Cancel" (cmdCancel) in a buttonRow.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};
OkCancel okCancelRow(QWidget* dialog);

} // namespace NamedWidgets
