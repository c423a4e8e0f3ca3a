#include "dialogs/MessageBoxes.h"

#include "app/General.h"

namespace {

class RealMessageBoxes final : public MessageBoxes {
public:
    QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text,
                                     QMessageBox::StandardButtons buttons) override {
        QMessageBox box(icon, title, text, buttons, parent);
        // Messages quote names the user typed; "<b>" in an item name must show as typed.
        box.setTextFormat(Qt::PlainText);
        for (const auto button :
             {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel}) {
            if (buttons.testFlag(button)) {
                box.setDefaultButton(button);
                break;
            }
        }
        return QMessageBox::StandardButton(box.exec());
    }
};

RealMessageBoxes& realBoxes() {
    static RealMessageBoxes boxes;
    return boxes;
}

MessageBoxes* installed = nullptr;

} // namespace

MessageBoxes& MessageBoxes::current() {
    return installed ? *installed : realBoxes();
}

void MessageBoxes::install(MessageBoxes* boxes) {
    installed = boxes;
}

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                   const QString& title) {
    return MessageBoxes::current().show(
        parent, icon, title.isEmpty() ? General::GetAppTitle() : title, text, buttons);
}
