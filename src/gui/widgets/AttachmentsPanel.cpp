#include "widgets/AttachmentsPanel.h"

#include "ThumbnailMaker.h"
#include "app/FileViewer.h"
#include "app/Globals.h"
#include "attachments/AttachmentError.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "widgets/NamedWidgets.h"

#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QStyle>
#include <QTemporaryDir>
#include <QVBoxLayout>

using namespace NamedWidgets;

namespace {

constexpr int ThumbnailSide = 96;

const QString Title = QStringLiteral("Attachments");

// The files dropped on the area: local files only.
QStringList droppedFiles(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

// The copies handed to the desktop's viewer live, each in a folder of its own, until the
// program ends: the viewer may read them long after Open was clicked.
QString viewerCopyFolder() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/domivo-view-XXXXXX"));
    static int next = 0;
    const QString path = folder.filePath(QString::number(++next));
    QDir().mkpath(path);
    return path;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

} // namespace

AttachmentsPanel::AttachmentsPanel(QWidget* parent)
    : QGroupBox(Title, parent) {
    setObjectName(QStringLiteral("fraAttachments"));
    setAcceptDrops(true);
    m_lstAttachments = control<QListWidget>("lstAttachments", this);
    m_lstAttachments->setViewMode(QListView::IconMode);
    m_lstAttachments->setIconSize(QSize(ThumbnailSide, ThumbnailSide));
    m_lstAttachments->setGridSize(QSize(ThumbnailSide + 40, ThumbnailSide + 36));
    m_lstAttachments->setResizeMode(QListView::Adjust);
    m_lstAttachments->setMovement(QListView::Static);
    m_lstAttachments->setWordWrap(true);
    m_lstAttachments->setMinimumHeight(ThumbnailSide + 48);
    // The list takes the drops itself, as the area does.
    m_lstAttachments->setAcceptDrops(true);
    m_lstAttachments->viewport()->installEventFilter(this);
    m_lstAttachments->setToolTip(QStringLiteral("Drop files here to keep them with the item"));

    auto* hdgCaption = label("hdgAttachCaption", QStringLiteral("Caption"), this);
    m_txtCaption = control<QLineEdit>("txtAttachCaption", this);
    m_txtCaption->setMaxLength(255);
    hdgCaption->setBuddy(m_txtCaption);
    m_cmdAdd = button("cmdAttachAdd", QStringLiteral("&Add..."), this);
    m_cmdOpen = button("cmdAttachOpen", QStringLiteral("&Open"), this);
    m_cmdSaveAs = button("cmdAttachSaveAs", QStringLiteral("Sa&ve As..."), this);
    m_cmdRemove = button("cmdAttachRemove", QStringLiteral("Re&move"), this);

    connect(m_cmdAdd, &QPushButton::clicked, this, &AttachmentsPanel::cmdAdd_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &AttachmentsPanel::cmdOpen_Click);
    connect(m_cmdSaveAs, &QPushButton::clicked, this, &AttachmentsPanel::cmdSaveAs_Click);
    connect(m_cmdRemove, &QPushButton::clicked, this, &AttachmentsPanel::cmdRemove_Click);
    connect(m_txtCaption, &QLineEdit::textEdited, this, &AttachmentsPanel::txtCaption_Edited);
    connect(m_lstAttachments, &QListWidget::currentRowChanged, this, [this] { updateControls(); });
    connect(m_lstAttachments, &QListWidget::itemDoubleClicked, this,
            &AttachmentsPanel::cmdOpen_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(hdgCaption);
    row->addWidget(m_txtCaption, 1);
    for (QPushButton* command : {m_cmdAdd, m_cmdOpen, m_cmdSaveAs, m_cmdRemove})
        row->addWidget(command);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstAttachments, 1);
    layout->addLayout(row);
    updateControls();
}

void AttachmentsPanel::load(const AttachmentOwner& owner) {
    m_draft.load(gData->Attachment(), owner);
    m_receiptOffered = false;
    showEntries(-1);
}

void AttachmentsPanel::addFiles(const QStringList& paths) {
    int added = -1;
    for (const QString& path : paths) {
        try {
            AttachmentFile file = AttachmentFile::read(path);
            file.thumbnail = ThumbnailMaker::make(file.data, file.mediaType);
            added = m_draft.add(file);
        } catch (const AttachmentError& refused) {
            MsgBox(this, refused.message(), QMessageBox::Ok, QMessageBox::Warning, Title);
        }
    }
    if (added >= 0)
        showEntries(added);
}

void AttachmentsPanel::cmdAdd_Click() {
    const bool offerReceipt = m_receiptBox && !m_receiptBox->isChecked() && !m_receiptOffered;
    bool tickReceipt = false;
    const QStringList paths = FileDialogs::current().getOpenFileNames(
        this, QStringLiteral("Add Attachments"), QDir::homePath(),
        QStringLiteral("Pictures and documents (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.tif "
                       "*.tiff *.pdf *.txt);;All files (*)"),
        offerReceipt ? QStringLiteral("A receipt is among these files: tick \"Receipt\"")
                     : QString(),
        &tickReceipt);
    if (paths.isEmpty())
        return;
    if (offerReceipt) {
        m_receiptOffered = true;
        if (tickReceipt)
            m_receiptBox->setChecked(true);
    }
    addFiles(paths);
}

void AttachmentsPanel::cmdOpen_Click() {
    const int index = current();
    if (index < 0)
        return;
    const AttachmentDraft::Entry& entry = m_draft.entry(index);
    const QString path =
        QDir(viewerCopyFolder()).filePath(AttachmentFile::safeFileName(entry.fileName));
    QString error;
    try {
        if (!writeWhole(path, m_draft.bytes(gData->Attachment(), index), &error)) {
            MsgBox(this, QStringLiteral("The copy to open cannot be written: %1").arg(error),
                   QMessageBox::Ok, QMessageBox::Critical, Title);
            return;
        }
    } catch (const DbError& failure) {
        MsgBox(this, failure.message(), QMessageBox::Ok, QMessageBox::Critical, Title);
        return;
    }
    if (!FileViewer::open(path))
        MsgBox(this,
               QStringLiteral("No program could be started to show '%1'. A copy is in %2.")
                   .arg(entry.fileName, QDir::toNativeSeparators(path)),
               QMessageBox::Ok, QMessageBox::Warning, Title);
}

void AttachmentsPanel::cmdSaveAs_Click() {
    const int index = current();
    if (index < 0)
        return;
    const AttachmentDraft::Entry& entry = m_draft.entry(index);
    const QString path = FileDialogs::current().getSaveFileName(
        this, QStringLiteral("Save Attachment As"),
        QDir::home().filePath(AttachmentFile::safeFileName(entry.fileName)),
        QStringLiteral("All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    try {
        if (!writeWhole(path, m_draft.bytes(gData->Attachment(), index), &error))
            MsgBox(this, QStringLiteral("'%1' cannot be written: %2").arg(path, error),
                   QMessageBox::Ok, QMessageBox::Critical, Title);
    } catch (const DbError& failure) {
        MsgBox(this, failure.message(), QMessageBox::Ok, QMessageBox::Critical, Title);
    }
}

void AttachmentsPanel::cmdRemove_Click() {
    const int index = current();
    if (index < 0)
        return;
    const QString name = m_draft.entry(index).fileName;
    if (MsgBox(this,
               QStringLiteral("Remove '%1' from this item? It is deleted when the item is saved.")
                   .arg(name),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
               QStringLiteral("Remove Attachment")) != QMessageBox::Yes)
        return;
    m_draft.remove(index);
    showEntries(qMin(index, m_draft.count() - 1));
}

void AttachmentsPanel::txtCaption_Edited(const QString& caption) {
    const int index = current();
    if (index < 0)
        return;
    m_draft.setCaption(index, caption);
    m_lstAttachments->item(index)->setText(m_draft.entry(index).label());
}

void AttachmentsPanel::showEntries(int select) {
    m_lstAttachments->clear();
    const QIcon document = style()->standardIcon(QStyle::SP_FileIcon);
    for (const AttachmentDraft::Entry& entry : m_draft.entries()) {
        QPixmap picture;
        const bool drawn = !entry.thumbnail.isEmpty() && picture.loadFromData(entry.thumbnail);
        auto* item = new QListWidgetItem(drawn ? QIcon(picture) : document, entry.label());
        item->setToolTip(
            QStringLiteral("%1 (%2)").arg(entry.fileName, AttachmentFile::sizeText(entry.size)));
        m_lstAttachments->addItem(item);
    }
    m_lstAttachments->setCurrentRow(select);
    updateControls();
}

void AttachmentsPanel::updateControls() {
    const int index = current();
    const bool chosen = index >= 0;
    for (QWidget* control :
         {static_cast<QWidget*>(m_cmdOpen), static_cast<QWidget*>(m_cmdSaveAs),
          static_cast<QWidget*>(m_cmdRemove), static_cast<QWidget*>(m_txtCaption)})
        control->setEnabled(chosen);
    m_txtCaption->setText(chosen ? m_draft.entry(index).caption : QString());
}

int AttachmentsPanel::current() const {
    const int row = m_lstAttachments->currentRow();
    return row >= 0 && row < m_draft.count() ? row : -1;
}

void AttachmentsPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void AttachmentsPanel::dropEvent(QDropEvent* event) {
    if (dropFiles(event->mimeData()))
        event->acceptProposedAction();
}

bool AttachmentsPanel::dropFiles(const QMimeData* mimeData) {
    const QStringList paths = droppedFiles(mimeData);
    if (paths.isEmpty())
        return false;
    addFiles(paths);
    return true;
}

bool AttachmentsPanel::eventFilter(QObject* watched, QEvent* event) {
    // The list's own drag handling would move its icons; files dropped on it are added instead.
    if (watched == m_lstAttachments->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedFiles(drag->mimeData()).isEmpty())
                drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            dropEvent(static_cast<QDropEvent*>(event));
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
