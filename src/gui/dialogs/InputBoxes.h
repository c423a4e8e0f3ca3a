#pragma once

#include <QString>
#include <optional>

class QWidget;

// Every input box of the application goes through this seam (see MessageBoxes).
class InputBoxes {
public:
    virtual ~InputBoxes() = default;

    // Asks for one line of text; nullopt when the user cancels.
    virtual std::optional<QString> getText(QWidget* parent, const QString& title,
                                           const QString& prompt, const QString& defaultText) = 0;

    static InputBoxes& current();
    // nullptr brings back the real input box.
    static void install(InputBoxes* boxes);
};

// The text typed, or "" when the user cancelled (as an input box answers).
QString InputBox(QWidget* parent, const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString());
