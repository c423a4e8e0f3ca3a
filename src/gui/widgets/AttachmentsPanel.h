#pragma once

#include "attachments/AttachmentDraft.h"

#include <QGroupBox>

class QCheckBox;
class QMimeData;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "Attachments" area of the item editors: the item's files as thumbnails with their
// captions, and Add... (several files at once, or files dropped on the area), Open (in the
// desktop's viewer, through a temporary copy), Save As..., Remove (asks first) and the caption
// of the chosen file. Every change stays in the panel's draft until the editor saves the item
// with changes(); an editor closed without saving drops it.
class AttachmentsPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit AttachmentsPanel(QWidget* parent);

    // The item's "Receipt" box: the Add dialog offers to tick it, once, while it is clear.
    void setReceiptBox(QCheckBox* box) { m_receiptBox = box; }
    // Shows the owner's saved files (none for an item not saved yet, itemID 0).
    void load(const AttachmentOwner& owner);
    AttachmentChanges changes() const { return m_draft.changes(); }
    const AttachmentDraft& draft() const { return m_draft; }
    // Adds files by path; a file that cannot be kept is refused in a message, the others stay.
    void addFiles(const QStringList& paths);
    // What a drop on the area does: adds the local files it carries; false when it has none.
    bool dropFiles(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdAdd_Click();
    void cmdOpen_Click();
    void cmdSaveAs_Click();
    void cmdRemove_Click();
    void txtCaption_Edited(const QString& caption);
    void showEntries(int select);
    void updateControls();
    int current() const;

    AttachmentDraft m_draft;
    QCheckBox* m_receiptBox = nullptr;
    bool m_receiptOffered = false;
    QListWidget* m_lstAttachments;
    QLineEdit* m_txtCaption;
    QPushButton* m_cmdAdd;
    QPushButton* m_cmdOpen;
    QPushButton* m_cmdSaveAs;
    QPushButton* m_cmdRemove;
};
