#pragma once

#include "editors/EditorDialog.h"

#include <functional>

class AmountFields;
class CalendarPicker;
class ComputerTabs;
class DateField;
class Lookup;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class Statement;
class SubList;
class TfBiblioteka;
class TmyDataBase;

// What the computer and equipment editors share: one asset row with its
// properties and the lists hanging on it. The caller fills it, shows it, and
// after a confirmed "Zapisz" writes the row; the tabs' own rows (users,
// licences, sub-records) are written here at once. The two editors differ
// only in their texts, the owner kind, the classifier and a few extras.
class AssetEditor : public EditorDialog
{
    Q_OBJECT

public:
    enum Tab
    {
        Zlikwidowany,
        Szczegoly,
        Wlasciwosci,
        Uzytkownicy,
        Oprogramowanie,
        Sprzet,
        Terminy,
        Naprawy,
        Dokumenty,
        Historia,
        Zalaczniki,
        TabCount
    };

    // Work that other parts of the program do for this editor.
    struct Hooks
    {
        std::function<void(qint64 equipment)> previewEquipment; // "Sprzęt" / "Podgląd"
        std::function<void(qint64 equipment)> printEquipment;   // "Sprzęt" / "Drukuj"
        std::function<void(const QString& title, const QString& text)> printRecord;
    };

    // The texts and settings in which the two editors differ.
    struct Variant
    {
        QString kind; // owner kind of properties and sub-records: "K", "S"
        const char* objectName;
        QString caption; // "Komputer"
        QString header;  // "Informacje o komputerze"
        QString liquidatedTab;
        QString liquidatedNote;
        QString classifierCode;   // "KLKOM"
        int classifierDictionary; // index in the dictionary editor
        QString table;            // last-number query: table and key
        QString keyColumn;
        // Hints of "Szczegóły", in the order of the fields.
        QString hintNumber, hintName, hintProduced, hintProducer, hintState, hintClass, hintBought, hintNet,
            hintSupplier, hintEmployee, hintLocation, hintClearLocation;
        QString noteSupplier, noteEmployee;
        bool dateNote; // the grey "DD-MM-RRRR" beside the production date
        // "Zapisz" messages: number, name, purchase date.
        QString noNumber, noName, badPurchaseDate;
    };

    ~AssetEditor() override;

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    const Hooks& hooks() const { return m_hooks; }
    // The dictionary editor behind the "[...]" buttons (made on first use when not set).
    void setDictionaryEditor(TfBiblioteka* editor) { m_biblioteka = editor; }
    TfBiblioteka* dictionaryEditor();

    // Re-reads companies, employees, the classifier, LOKAL, STANT and STVAT lists.
    virtual void reopenLookups();
    // Add: every field empty, amounts "0.00", only "Szczegóły" left.
    virtual void prepareNew();
    // Fields from a row of the computers list.
    virtual void fillFromRow(const Statement& row);
    // Edit and preview: the owner of the lists, its property captions and values, all tabs.
    void prepare(const QString& kind, qint64 key);
    qint64 computerKey() const { return m_key; }
    qint64 assetKey() const { return m_key; }
    const QString& kind() const { return m_variant.kind; }
    // The position of a tab in the tab widget; -1 for a tab this editor lacks.
    int indexOf(Tab tab) const;

    void setOpenOnProperties(bool on) { m_openOnProperties = on; }
    bool openOnProperties() const { return m_openOnProperties; }
    // Preview: read-only, only "Podgląd" and "Drukuj" act; the liquidation
    // tab is shown while `showLiquidation`.
    void setPreview(bool on, bool showLiquidation = false);
    bool isPreview() const { return m_preview; }

    // The value typed for property lp (1 to 14).
    QString propertyValue(int lp) const;
    QString propertyCaption(int lp) const;

    // "Dodaj do historii": the next history add starts from this person and today.
    void setHistoryPrefill(const QString& nrew);
    bool takeHistoryPrefill(QString* nrew);

    QTabWidget* tabs() const { return m_tabs; }
    SubList* subList(Tab tab) const;
    AmountFields* amounts() const { return m_amounts; }
    // Points the shared classification list back at its dictionary (after dialogs that moved it).
    void restoreClassifier();

    void SBZapiszClick() override;
    void SpeedButton4Click();
    void goToSlownik(int dictionaryIndex, Lookup* lookup, const QString& statement, const QString& code = {});

protected:
    AssetEditor(TmyDataBase& db, Variant variant, QWidget* parent);
    // Builds the pages; called by the subclass's constructor once its own
    // controls can be made (extraDetail).
    void build();
    void showEvent(QShowEvent* event) override;
    // A row of "Szczegóły" after the classification; none by default.
    virtual QWidget* extraDetail(QWidget* page, QString* caption);
    // The classifier whose property captions are shown: 0 (one set for all) by default.
    virtual qint64 captionClassifier() const { return 0; }
    void loadCaptions(qint64 classifier);
    virtual void tabChanged(int index);
    TmyDataBase& db() const { return m_db; }
    Lookup* classifierLookup() const { return fKLASYFIKATOR; }
    QTabWidget* tabWidget() const { return m_tabs; }

private:
    QWidget* buildLiquidation();
    QWidget* buildDetails();
    QWidget* buildProperties();
    void bindLookups();

    TmyDataBase& m_db;
    Variant m_variant;
    Hooks m_hooks;
    TfBiblioteka* m_biblioteka = nullptr;
    qint64 m_key = -1;
    bool m_openOnProperties = false;
    bool m_preview = false;
    bool m_showLiquidation = false;
    bool m_fullTabs = false;
    bool m_historyPrefill = false;
    QString m_historyPerson;

    QTabWidget* m_tabs;
    QList<QWidget*> m_pages;
    ComputerTabs* m_lists = nullptr;
    AmountFields* m_amounts = nullptr;

    QLineEdit* fNREWID;
    QLineEdit* fNRSERYJNY;
    QLineEdit* fNAZWA;
    DateField* fDATAPROD;
    CalendarPicker* DTPDATAPROD;
    QLineEdit* fPRODUCENT;
    Lookup* fSTANTECH;
    Lookup* fKLASYFIKATOR;
    QLineEdit* fNRFAKTURY;
    DateField* fDATAZAKUPU;
    CalendarPicker* DTPDATAZAKUPU;
    QLabel* m_kpirLabel;
    QLineEdit* fNRKPIR;
    QLineEdit* fNETTO;
    Lookup* stawkaVAT;
    QLineEdit* fVAT;
    QLineEdit* fBRUTTO;
    Lookup* fIDFIRMY;
    Lookup* fNREW;
    Lookup* fLOKALIZACJA;
    QLineEdit* fINNE;
    DateField* fDATAARCH;
    QLineEdit* fPRZYCZYNA;
    QList<QToolButton*> m_dictionaryButtons;
    QList<QLabel*> m_propertyLabels;
    QList<QLineEdit*> m_propertyEdits;
};
