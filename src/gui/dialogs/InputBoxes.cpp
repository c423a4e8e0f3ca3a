#include "dialogs/InputBoxes.h"

#include "app/General.h"

#include <QInputDialog>

namespace {

class RealInputBoxes final : public InputBoxes {
public:
    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& defaultText) override {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }
};

RealInputBoxes& realBoxes() {
    static RealInputBoxes boxes;
    return boxes;
}

InputBoxes* installed = nullptr;

} // namespace

InputBoxes& InputBoxes::current() {
    return installed ? *installed : realBoxes();
}

void InputBoxes::install(InputBoxes* boxes) {
    installed = boxes;
}

QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                 const QString& defaultText) {
    return InputBoxes::current()
        .getText(parent, title.isEmpty() ? General::GetAppTitle() : title, prompt, defaultText)
        .value_or(QString());
}
