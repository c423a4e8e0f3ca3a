#pragma once

#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QTabWidget;
class QTextBrowser;

// The help viewer: the help file's contents, index and full-text search on the left, the page
// on the right. Qt Help keeps its collection (the registered help file and the search index) in
// the per-user cache folder, so the installed files are only ever read.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    enum class Tab { Contents, Index, Search };

    explicit HelpWindow(const QString& helpFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // False when the help file could not be opened.
    bool isReady() const { return m_ready; }
    QString errorText() const { return m_error; }

    // Shows the window, raised, on the given tab.
    void showTab(Tab tab);
    Tab currentTab() const;
    void showPage(const QUrl& url);
    QUrl currentPage() const;

    QHelpEngine* engine() const { return m_engine; }

    // Where the collection file is kept.
    static QString collectionFile();

private:
    bool setUp(const QString& helpFile);
    void search();

    QHelpEngine* m_engine = nullptr;
    QTabWidget* m_tabHelp = nullptr;
    QTextBrowser* m_txtPage = nullptr;
    bool m_ready = false;
    bool m_indexed = false;
    QString m_error;
};
