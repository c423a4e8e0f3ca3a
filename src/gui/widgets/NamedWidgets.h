#pragma once

#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

// Controls are found by their object names, by the tests and by whoever reads the window's code;
// these create a child control that carries its name from the start.
namespace NamedWidgets {

// A caption, shown as plain text: captions may quote names the user typed.
QLabel* label(const char* name, const QString& caption, QWidget* parent);
QPushButton* button(const char* name, const QString& caption, QWidget* parent);
QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent);

} // namespace NamedWidgets
