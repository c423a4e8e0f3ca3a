#include "GuiTest.h"

#include "app/Globals.h"
#include "app/frmMain.h"

#include <QDir>
#include <QTimer>

GuiTestEnvironment::GuiTestEnvironment()
    : m_oldCache(qgetenv("XDG_CACHE_HOME")) {
    QDir(root()).mkpath(QStringLiteral("cache"));
    qputenv("XDG_CACHE_HOME", QDir(root()).filePath(QStringLiteral("cache")).toUtf8());
    frmMain::setStartupWaitForTesting(0);
    gData.reset();
    gCurrentWindow.clear();
    gHelpFile.clear();
}

GuiTestEnvironment::~GuiTestEnvironment() {
    gData.reset();
    gCurrentWindow.clear();
    gHelpFile.clear();
    if (m_oldCache.isNull())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", m_oldCache);
}

ScriptedPrompts::ScriptedPrompts() {
    MessageBoxes::install(this);
    InputBoxes::install(this);
    FileDialogs::install(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    MessageBoxes::install(nullptr);
    InputBoxes::install(nullptr);
    FileDialogs::install(nullptr);
    if (unusedAnswers() > 0 && !QTest::currentTestFailed())
        QTest::qFail(
            qPrintable(
                QStringLiteral("%1 scripted answers were never asked for").arg(unusedAnswers())),
            __FILE__, __LINE__);
}

void ScriptedPrompts::answerMessage(QMessageBox::StandardButton answer,
                                    const QString& expectedText) {
    m_messages.enqueue({answer, expectedText});
}

void ScriptedPrompts::answerInput(std::optional<QString> text) {
    m_inputs.enqueue(std::move(text));
}

void ScriptedPrompts::answerFile(const QString& fileName) {
    m_files.enqueue(fileName);
}

int ScriptedPrompts::unusedAnswers() const {
    return int(m_messages.size() + m_inputs.size() + m_files.size());
}

QMessageBox::StandardButton ScriptedPrompts::show(QWidget*, QMessageBox::Icon icon,
                                                  const QString& title, const QString& text,
                                                  QMessageBox::StandardButtons buttons) {
    m_boxes << Box{icon, title, text, buttons};
    if (m_messages.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__,
                     __LINE__);
        for (const auto safe : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok}) {
            if (buttons.testFlag(safe))
                return safe;
        }
        return QMessageBox::NoButton;
    }
    const MessageAnswer answer = m_messages.dequeue();
    if (!answer.expectedText.isEmpty() && !text.contains(answer.expectedText))
        QTest::qFail(qPrintable(QStringLiteral("message box \"%1\" does not say \"%2\"")
                                    .arg(text, answer.expectedText)),
                     __FILE__, __LINE__);
    if (!buttons.testFlag(answer.answer))
        QTest::qFail(qPrintable(QStringLiteral("message box \"%1\" has no such button").arg(text)),
                     __FILE__, __LINE__);
    return answer.answer;
}

std::optional<QString> ScriptedPrompts::getText(QWidget*, const QString&, const QString& prompt,
                                                const QString&) {
    m_inputPrompts << prompt;
    if (m_inputs.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: ") + prompt), __FILE__,
                     __LINE__);
        return std::nullopt;
    }
    return m_inputs.dequeue();
}

QString ScriptedPrompts::getOpenFileName(QWidget*, const QString& caption, const QString&,
                                         const QString&) {
    if (m_files.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected file dialog: ") + caption), __FILE__,
                     __LINE__);
        return {};
    }
    return m_files.dequeue();
}

QString ScriptedPrompts::getSaveFileName(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& filter) {
    return getOpenFileName(parent, caption, folder, filter);
}

void whenModalShown(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, started, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        } else if (started->elapsed() > 5000) {
            poll->stop();
            poll->deleteLater();
            QTest::qFail("no modal dialog was shown", __FILE__, __LINE__);
        }
    });
    poll->start();
}
