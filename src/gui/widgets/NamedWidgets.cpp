#include "widgets/NamedWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace NamedWidgets {

namespace {

template <class Widget> Widget* create(const char* name, const QString& caption, QWidget* parent) {
    auto* widget = new Widget(caption, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
    auto* text = create<QLabel>(name, caption, parent);
    text->setTextFormat(Qt::PlainText);
    return text;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    return create<QPushButton>(name, caption, parent);
}

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    return create<QCheckBox>(name, caption, parent);
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* push : buttons)
        row->addWidget(push);
    return row;
}

OkCancel okCancelRow(QWidget* dialog) {
    QPushButton* ok = button("cmdOK", QStringLiteral("&OK"), dialog);
    ok->setDefault(true);
    QPushButton* cancel = button("cmdCancel", QStringLiteral("&Cancel"), dialog);
    return {ok, cancel, buttonRow({ok, cancel})};
}

} // namespace NamedWidgets
