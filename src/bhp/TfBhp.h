#pragma once

#include "bhp/BhpEditor.h"

#include <array>
#include <functional>

class AttachmentActions;
struct GridColumn;
class BhpHoldings;
class QCheckBox;
class QTabWidget;
class SubList;
class SubRecordActions;

// "Odzież i środki BHP": one item of safety clothing or protective
// equipment with the quantity on stock, and the lists hanging on it:
// holdings of employees, deadlines, history and attachments. Holdings and
// the sub-records are written at once; the quantity on stock only by the
// item's own "Zapisz".
class TfBhp : public BhpEditor
{
    Q_OBJECT

public:
    enum Tab
    {
        Szczegoly,
        Posiadajacy,
        Terminy,
        Historia,
        Zalaczniki,
        TabCount
    };

    TfBhp(TmyDataBase& db, QWidget* parent = nullptr);
    ~TfBhp() override;

    // The record print-out (title and text), set by the print-out feature.
    void setPrinter(std::function<void(const QString&, const QString&)> print);
    bool canPrint() const { return bool(m_print); }
    void printRecord(const QString& title, const QString& text) const
    {
        if (m_print)
            m_print(title, text);
    }

    // KLBHP.
    void reopenLookups();
    // Add: empty fields, quantities "0.00", the first classifier, only "Szczegóły".
    void prepareNew();
    void fillFromRow(const Statement& row);
    // Add from a purchase: its identity and quantity, reminder level "0.00".
    void fillFromPurchase(const BhpItemData& purchase);
    // Edit and preview: the item whose lists the tabs show; all tabs.
    void prepare(qint64 key);
    qint64 itemKey() const { return m_key; }

    // After a new item was stored the editor opens on "Stan posiadania".
    void setOpenOnHoldings(bool on) { m_openOnHoldings = on; }
    void setPreview(bool on);
    bool isPreview() const { return m_preview; }

    bool addToPurchases() const;
    BhpItemData toPurchase() const;
    // The quantity on stock in the editor (blank or unreadable: 0, and the field shows it).
    double onStock();
    void setOnStock(double value);

    void bindInsert(Statement& q) const;
    void bindUpdate(Statement& q, qint64 key) const;

    QTabWidget* tabs() const { return m_tabs; }
    SubList* list(Tab tab) const { return m_lists[tab]; }
    BhpHoldings& holdings() const { return *m_holdings; }
    SubRecordActions* subRecords(Tab tab) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildDetails();
    SubList* makeList(Tab tab, const QString& title, const QString& list, QList<GridColumn> columns);
    void addHoldingsMenu(SubList* l);
    void makeSubRecordActions();
    void applyRights();
    void tabChanged(int index);

    qint64 m_key = -1;
    bool m_openOnHoldings = false;
    bool m_preview = false;
    bool m_fullTabs = false;
    QTabWidget* m_tabs;
    std::array<SubList*, TabCount> m_lists{};
    BhpHoldings* m_holdings = nullptr;
    SubRecordActions* m_deadlines = nullptr;
    SubRecordActions* m_history = nullptr;
    AttachmentActions* m_attachments = nullptr;
    std::function<void(const QString&, const QString&)> m_print;

    QLineEdit* fILOSC;
    QLineEdit* fPRZYPOMNIJ;
    QCheckBox* dodajDoZakupBhp;
};
