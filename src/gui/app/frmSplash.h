#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The window shown while the application starts: product name, version, maker and legal notice.
// A key press, or a click on the frame, closes it early.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // "Version M.m  Build r" of the application's version.
    static QString versionText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_frame;
};
