#include "GuiTest.h"

#include "app/Globals.h"
#include "app/frmMain.h"
#include "widgets/GridView.h"

#include <QDir>
#include <QHeaderView>
#include <QTimer>

GuiTestEnvironment::GuiTestEnvironment()
    : m_oldCache(qgetenv("XDG_CACHE_HOME")) {
    QDir(root()).mkpath(QStringLiteral("cache"));
    qputenv("XDG_CACHE_HOME", QDir(root()).filePath(QStringLiteral("cache")).toUtf8());
    frmMain::setStartupWaitForTesting(0);
    gData.reset();
    gHelpFile.clear();
}

GuiTestEnvironment::~GuiTestEnvironment() {
    gData.reset();
    gHelpFile.clear();
    if (m_oldCache.isNull())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", m_oldCache);
}

GuiDatabase::GuiDatabase() {
    gData = std::make_unique<dvData>();
    gData->setPath(databaseFile());
}

GuiApp::GuiApp(const std::function<void(const dvData&)>& seed,
               const std::function<void(frmMain&)>& prepare) {
    if (seed) {
        dvData data;
        data.setPath(env.databaseFile());
        seed(data);
    }
    // The warranty list is on by default and would stop at start-up every test whose items
    // happen to have a warranty running out soon; the tests of that list start the program
    // themselves.
    Settings::setText(SettingKeys::RemindWarranty, QStringLiteral("0"));
    main = std::make_unique<frmMain>(env.dataFolder());
    if (prepare)
        prepare(*main);
    if (main->MDIForm_Load() != std::nullopt)
        QTest::qFail("the application did not start", __FILE__, __LINE__);
    main->resize(1000, 700);
    QCoreApplication::processEvents();
}

GuiApp::~GuiApp() = default;

const invItem& inventoryItems() {
    return gData->Inventory().Item();
}

void addCollection(const QString& name, const QList<colField::Definition>& fields) {
    gData->Collection().AddWithFields(name, QString(), fields);
}

qint64 addCollectionItem(const QString& collection, const QString& name,
                         const colItem::Values& values, const QString& price) {
    return gData->Collection().Item().AddWithValues(collection, name, price, "", "", "", values);
}

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

QStringList texts(const QComboBox* combo) {
    QStringList result;
    for (int index = 0; index < combo->count(); ++index)
        result << combo->itemText(index);
    return result;
}

QStringList columnTexts(const GridView* grid, const QString& caption) {
    QStringList result;
    const int column = grid->columnIndex(caption);
    for (int row = 0; row < grid->rowCount(); ++row)
        result << grid->text(row, column);
    return result;
}

bool hasFocus(const QWidget* widget) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == widget || widget->isAncestorOf(focus)))
        return true;
    qWarning("the focus is on %s", focus ? qPrintable(focus->objectName()) : "nothing");
    return false;
}

void click(const QObject* parent, const QString& name) {
    auto* button = parent->findChild<QAbstractButton*>(name);
    if (!button)
        QTest::qFail(qPrintable("no button " + name), __FILE__, __LINE__);
    else
        button->click();
}

void clickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        QTest::qFail(qPrintable("no entry " + text), __FILE__, __LINE__);
    else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
}

void clickHeader(GridView* grid, const QString& caption) {
    QHeaderView* header = grid->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(grid->columnIndex(caption)) + 5,
                             header->height() / 2));
}

void doubleClickCell(GridView* grid, int row, int column) {
    QWidget* viewport = grid->viewport();
    const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(viewport, &event);
    }
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

void ScriptedPrompts::answerFiles(const QStringList& fileNames, bool tickOption) {
    m_files.enqueue(fileNames.join('\n'));
    m_fileTicks.enqueue(tickOption);
}

QStringList ScriptedPrompts::getOpenFileNames(QWidget* parent, const QString& caption,
                                              const QString& folder, const QString& filter,
                                              const QString& option, bool* optionChecked) {
    const QString answer = getOpenFileName(parent, caption, folder, filter);
    m_fileDialogs.last().option = option;
    const bool tick = !m_fileTicks.isEmpty() && m_fileTicks.dequeue();
    if (optionChecked)
        *optionChecked = tick && !option.isEmpty();
    return answer.split('\n', Qt::SkipEmptyParts);
}

void ScriptedPrompts::answerFile(const QString& fileName) {
    m_files.enqueue(fileName);
}

QStringList ScriptedPrompts::fileCaptions() const {
    QStringList captions;
    for (const FileDialog& dialog : m_fileDialogs)
        captions << dialog.caption;
    return captions;
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

QString ScriptedPrompts::getOpenFileName(QWidget*, const QString& caption, const QString& folder,
                                         const QString& filter) {
    m_fileDialogs << FileDialog{caption, folder, filter};
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
