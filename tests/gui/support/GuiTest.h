#pragma once

#include "TestEnvironment.h"
#include "app/Globals.h"
#include "app/PageView.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/InputBoxes.h"
#include "dialogs/MessageBoxes.h"
#include "records/Collection.h"
#include "types/DateText.h"
#include "widgets/GridView.h"
#include "widgets/OptionalDateEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QQueue>
#include <QSignalSpy>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

// What every window test needs is included above. A test's private world for the windows: the
// TestEnvironment (data folder, settings store), a cache folder of its own (the help collection
// lives there), no start-up wait, and clean globals before and after.
class GuiTestEnvironment : public TestEnvironment {
public:
    GuiTestEnvironment();
    ~GuiTestEnvironment();

private:
    QByteArray m_oldCache;
};

// A window's world with gData open on a fresh, seeded database, as the application holds it.
class GuiDatabase : public GuiTestEnvironment {
public:
    GuiDatabase();
};

// Answers the message boxes and input boxes of the code under test from a script, for as long
// as it lives. A box that comes without a scripted answer fails the test (and is answered No,
// Cancel or OK, so the code goes on); answers left unused fail it too, when the script is
// destroyed. File dialogs are answered the same way, from their own script.
class ScriptedPrompts : public MessageBoxes, public InputBoxes, public FileDialogs {
public:
    struct Box {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    // The next message box is answered with `answer`; when `expectedText` is given, the box's
    // text must contain it.
    void answerMessage(QMessageBox::StandardButton answer, const QString& expectedText = {});
    // The next input box gets `text`; nullopt cancels it.
    void answerInput(std::optional<QString> text);
    // The next file dialog (open or save) returns `fileName`; "" cancels it.
    void answerFile(const QString& fileName);
    // The next several-files dialog returns `fileNames` ({} cancels it), with its check box
    // (when it shows one) ticked or not.
    void answerFiles(const QStringList& fileNames, bool tickOption = false);

    // Every message box shown so far, in order.
    const QList<Box>& boxes() const { return m_boxes; }
    QStringList inputPrompts() const { return m_inputPrompts; }
    // Every file dialog shown so far: its caption, starting folder or name, and filter.
    struct FileDialog {
        QString caption;
        QString folder;
        QString filter;
        QString option{}; // the check box a several-files dialog showed
    };
    const QList<FileDialog>& fileDialogs() const { return m_fileDialogs; }
    // The captions of the file dialogs shown so far, in order.
    QStringList fileCaptions() const;
    int unusedAnswers() const;

    QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text,
                                     QMessageBox::StandardButtons buttons) override;
    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& defaultText) override;
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QStringList getOpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter, const QString& option,
                                 bool* optionChecked) override;

private:
    struct MessageAnswer {
        QMessageBox::StandardButton answer;
        QString expectedText;
    };
    QQueue<MessageAnswer> m_messages;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<QString> m_files;
    QQueue<bool> m_fileTicks;
    QList<FileDialog> m_fileDialogs;
    QList<Box> m_boxes;
    QStringList m_inputPrompts;
};

// The child of `parent` with this object name and type, or nullptr.
template <class T> T* child(const QObject* parent, const QString& name) {
    return parent->findChild<T*>(name);
}

// The application started on a test's own data folder, with every box scripted. `seed` writes
// to the database before start-up; `prepare` sees the main window before it loads. The
// start-up warranty list is switched off (`prepare` may switch it on).
struct GuiApp {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> main;

    explicit GuiApp(const std::function<void(const dvData&)>& seed = {},
                    const std::function<void(frmMain&)>& prepare = {});
    ~GuiApp();
};

// Writers on gData, one line each.
const invItem& inventoryItems();
void addCollection(const QString& name, const QList<colField::Definition>& fields);
qint64 addCollectionItem(const QString& collection, const QString& name,
                         const colItem::Values& values, const QString& price = {});

// The texts of a list, a combo box's entries, or a grid column (by caption), in order.
QStringList texts(const QListWidget* list);
QStringList texts(const QComboBox* combo);
QStringList columnTexts(const GridView* grid, const QString& caption);

// Whether the keyboard focus is on the widget or inside it; tells where it is when not.
bool hasFocus(const QWidget* widget);
// Clicks the button with this object name under `parent`; fails the test when there is none.
void click(const QObject* parent, const QString& name);
// A person's click on the list entry with this text, and on a grid's column header.
void clickEntry(QListWidget* list, const QString& text);
void clickHeader(GridView* grid, const QString& caption);
// A double click on a grid cell as the window system delivers it: press, release, double
// click, release.
void doubleClickCell(GridView* grid, int row, int column);

// Runs `action` on the next modal dialog once it is shown (for code that calls exec()); the
// action must close it. Fails the test when no dialog comes within five seconds.
void whenModalShown(std::function<void(QWidget*)> action);

// A QApplication test program: the platform is offscreen unless the caller chose one.
#define DOMIVO_GUI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char* argv[]) {                                                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        PageView::prepareProcess();                                                                \
        QApplication app(argc, argv);                                                              \
        prepareTestProgram();                                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
