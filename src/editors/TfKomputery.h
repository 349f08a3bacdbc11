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

// The computer editor: one row of komputery with its properties and the
// lists hanging on it. The caller fills it, shows it, and after a confirmed
// "Zapisz" writes the row; the tabs' own rows (users, licences, sub-records)
// are written here at once.
class TfKomputery : public EditorDialog
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

    explicit TfKomputery(TmyDataBase& db, QWidget* parent = nullptr);
    ~TfKomputery() override;

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    const Hooks& hooks() const { return m_hooks; }
    // The dictionary editor behind the "[...]" buttons (made on first use when not set).
    void setDictionaryEditor(TfBiblioteka* editor) { m_biblioteka = editor; }
    TfBiblioteka* dictionaryEditor();

    // Re-reads companies, employees, the KLKOM, LOKAL, STANT and STVAT lists.
    void reopenLookups();
    // Add: every field empty, amounts "0.00", only "Szczegóły" left.
    void prepareNew();
    // Fields from a row of the computers list.
    void fillFromRow(const Statement& row);
    // Edit and preview: the owner of the lists, its property captions and values, all tabs.
    void prepare(const QString& kind, qint64 key);
    qint64 computerKey() const { return m_key; }

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
    // Points the shared classification list back at KLKOM (after dialogs that moved it).
    void restoreClassifier();

    void SBZapiszClick() override;
    void SpeedButton4Click();
    void goToSlownik(int dictionaryIndex, Lookup* lookup, const QString& statement, const QString& code = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildLiquidation();
    QWidget* buildDetails();
    QWidget* buildProperties();
    void bindLookups();
    void tabChanged(int index);

    TmyDataBase& m_db;
    Hooks m_hooks;
    TfBiblioteka* m_biblioteka = nullptr;
    qint64 m_key = -1;
    QString m_kind = QStringLiteral("K");
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
