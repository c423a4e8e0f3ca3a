#include "app/HelpWindow.h"

#include "app/General.h"
#include "widgets/NamedWidgets.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// Pages come out of the help file, not from the disk.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent)
        : QTextBrowser(parent)
        , m_engine(engine) {
        setOpenExternalLinks(true);
    }

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == QLatin1String("qthelp"))
            return m_engine->fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* m_engine;
};

const char* const StampKey = "DomivoHelpFileStamp";

} // namespace

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(General::GetAppTitle() + QStringLiteral(" Help"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/Help.svg")));
    m_engine = new QHelpEngine(collectionFile(), this);
    m_ready = setUp(helpFile);

    m_tabHelp = NamedWidgets::control<QTabWidget>("tabHelp", this);
    m_txtPage = new HelpBrowser(m_engine, this);
    m_txtPage->setObjectName(QStringLiteral("txtPage"));

    QHelpContentWidget* contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("lstContents"));
    m_tabHelp->addTab(contents, QStringLiteral("&Contents"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    // A page opens on a single click, as in any help viewer.
    connect(contents, &QHelpContentWidget::clicked, this, [this](const QModelIndex& index) {
        if (const QHelpContentItem* item = m_engine->contentModel()->contentItemAt(index))
            showPage(item->url());
    });
    // One book of pages: show them all at once.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });

    auto* indexPage = new QWidget(m_tabHelp);
    auto* filter = NamedWidgets::control<QLineEdit>("txtIndexFilter", indexPage);
    filter->setPlaceholderText(QStringLiteral("Type a word to find"));
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("lstIndex"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(filter);
    indexLayout->addWidget(index);
    m_tabHelp->addTab(indexPage, QStringLiteral("&Index"));
    connect(filter, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(filter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty())
                    showPage(links.first().url);
            });

    auto* searchPage = new QWidget(m_tabHelp);
    QHelpSearchEngine* searchEngine = m_engine->searchEngine();
    QHelpSearchQueryWidget* query = searchEngine->queryWidget();
    query->setObjectName(QStringLiteral("txtSearch"));
    QHelpSearchResultWidget* results = searchEngine->resultWidget();
    results->setObjectName(QStringLiteral("lstSearchResults"));
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(query);
    searchLayout->addWidget(results, 1);
    m_tabHelp->addTab(searchPage, QStringLiteral("&Search"));
    connect(query, &QHelpSearchQueryWidget::search, this, &HelpWindow::search);
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showPage);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_tabHelp);
    splitter->addWidget(m_txtPage);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 620});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(900, 620);

    if (m_ready)
        showPage(QUrl(QStringLiteral("qthelp://%1/doc/index.html")
                          .arg(QHelpEngineCore::namespaceName(helpFile))));
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::collectionFile() {
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                               .filePath(QStringLiteral("help"));
    return QDir(folder).filePath(QStringLiteral("Domivo.qhc"));
}

bool HelpWindow::setUp(const QString& helpFile) {
    const QFileInfo help(helpFile);
    if (helpFile.isEmpty() || !help.exists()) {
        m_error = QStringLiteral("Cannot find help file.");
        return false;
    }
    QDir().mkpath(QFileInfo(collectionFile()).absolutePath());
    // The collection that was built with the help file is the starting point of the per-user
    // one, which also receives the search index.
    const QString shipped = QDir(help.absolutePath()).filePath(QStringLiteral("Domivo.qhc"));
    if (!QFileInfo::exists(collectionFile()) && QFileInfo::exists(shipped)) {
        QFile::copy(shipped, collectionFile());
        QFile(collectionFile()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    if (!m_engine->setupData()) {
        m_error = m_engine->error();
        return false;
    }
    const QString ns = QHelpEngineCore::namespaceName(help.absoluteFilePath());
    if (ns.isEmpty()) {
        m_error = QStringLiteral("The help file %1 cannot be read.").arg(helpFile);
        return false;
    }
    // Register again when the help file moved or was rebuilt, so that contents and index are
    // never those of an older file.
    const QString stamp = help.absoluteFilePath() + QLatin1Char('|') +
                          QString::number(help.lastModified().toMSecsSinceEpoch());
    const bool registered = m_engine->registeredDocumentations().contains(ns);
    if (registered && (m_engine->documentationFileName(ns) != help.absoluteFilePath() ||
                       m_engine->customValue(QLatin1String(StampKey)).toString() != stamp))
        m_engine->unregisterDocumentation(ns);
    if (!m_engine->registeredDocumentations().contains(ns)) {
        if (!m_engine->registerDocumentation(help.absoluteFilePath())) {
            m_error = m_engine->error();
            return false;
        }
        m_engine->setCustomValue(QLatin1String(StampKey), stamp);
    }
    return true;
}

void HelpWindow::showTab(Tab tab) {
    m_tabHelp->setCurrentIndex(int(tab));
    if (tab == Tab::Search) {
        if (!m_indexed) {
            m_engine->searchEngine()->reindexDocumentation();
            m_indexed = true;
        }
        m_engine->searchEngine()->queryWidget()->setFocus();
    }
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

HelpWindow::Tab HelpWindow::currentTab() const {
    return Tab(m_tabHelp->currentIndex());
}

void HelpWindow::showPage(const QUrl& url) {
    m_txtPage->setSource(url);
}

QUrl HelpWindow::currentPage() const {
    return m_txtPage->source();
}

void HelpWindow::search() {
    m_engine->searchEngine()->search(m_engine->searchEngine()->queryWidget()->searchInput());
}
