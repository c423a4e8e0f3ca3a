#pragma once

#include "dialogs/FormDialog.h"
#include "records/colItem.h"
#include "windows/collections/FieldControl.h"

#include <QHash>

class AttachmentsPanel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Adds an item to a collection or edits one. Besides the fixed entries (name, three prices,
// comments) it shows one control per user-defined field of the collection, of the kind the
// field's type calls for, in one of four slots chosen by the field's FieldID. The caller sets
// the collection name, the mode ("N" new, anything else edit) and, for edit, the item
// identifier, shows the window modally and reads cancelled() afterwards: false once an item was
// saved, true after Close. Save / New Item stores the item, signals itemAdded() and clears the
// window for the next one.
class frmCollectionItem : public FormDialog {
    Q_OBJECT
public:
    static constexpr int Slots = 4;

    explicit frmCollectionItem(QWidget* parent = nullptr);

    QString collectionName() const { return m_collectionName; }
    void setCollectionName(const QString& name) { m_collectionName = name; }
    QString mode() const { return m_mode; }
    void setMode(const QString& mode) { m_mode = mode; }
    qint64 itemID() const { return m_itemID; }
    void setItemID(qint64 itemID) { m_itemID = itemID; }

    // Whether the slot's control holds a value its field's type accepts.
    bool GoodFieldValue(int slot) const;

    void cmdSaveExit_Click();
    void cmdSaveNew_Click();
    void cmdClose_Click();

signals:
    // Save / New Item stored an item; the window stays open for the next one.
    void itemAdded();

private:
    struct Slot {
        QLabel* hdgField = nullptr;
        FieldControl control;
        bool used = false;
        bool required = false;
    };

    void createFixedControls();
    QLineEdit* priceBox(const char* name, const char* heading, const QString& caption, int left,
                        int width);
    void Form_Load() override;
    void BuildFieldControls();
    void setTabOrder();
    QString GetFieldValue(int slot) const;
    void SetFieldValue(int slot, const QString& text);
    bool ValidEntry();
    bool ValidPrice(QLineEdit* box, const QString& message);
    bool refuse(const QString& text, QWidget* focus);
    bool isNew() const { return m_mode == QLatin1String("N"); }
    void LoadItem(qint64 itemID);
    void showPrice(QLineEdit* box, const QVariant& amount);
    // What a price box stores: the typed text, or the stored amount itself while the box still
    // shows what LoadItem put there (FormatPrice's text, rounded to cents or whole dollars).
    QVariant priceValue(const QLineEdit* box) const;
    void SaveItem();
    QVariant replacementPrice() const;
    colItem::Values fieldValues() const;
    void ClearEntries();
    void RefreshMemoryLists();

    // What LoadItem put into a price box: the text it showed and the amount stored.
    struct LoadedPrice {
        QString text;
        QVariant amount;
    };

    QString m_collectionName;
    QString m_mode = QStringLiteral("N");
    qint64 m_itemID = 0;

    QLineEdit* m_txtItemNM;
    Slot m_slots[Slots];
    QLineEdit* m_txtPurchasePriceAM;
    QLineEdit* m_txtAppraisalPriceAM;
    QLineEdit* m_txtReplacePriceAM;
    QHash<const QLineEdit*, LoadedPrice> m_loadedPrices;
    QPlainTextEdit* m_txtCommentsTX;
    AttachmentsPanel* m_attachments;
    QLabel* m_lblLastChangeDT;
    QPushButton* m_cmdSaveExit;
    QPushButton* m_cmdSaveNew;
    QPushButton* m_cmdClose;
};
