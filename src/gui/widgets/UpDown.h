#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// An up-down control: two arrow buttons that step a whole number between its bounds, shown in a
// buddy label the window places beside it.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);
    // The label that shows the value; it is greyed out with the control.
    void setBuddy(QLabel* label);

    void stepUp();
    void stepDown();

signals:
    void valueChanged(int value);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showValue();

    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    QLabel* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
};
