#pragma once

#include <QDialog>
#include <QList>

class DataGrid;
class ListModel;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class TfEditBibliotekaAll;
class TmyDataBase;

// One dictionary of table slowniki as the editor knows it.
struct DictionaryInfo
{
    QString entry;   // text of the chooser
    QString code;    // IDSLOWNIK
    QString title;   // title of the list
    QString caption; // caption of the entry dialog
    QString label;   // label of the entry dialog's field
};

// The dictionary editor "Biblioteka": all fourteen dictionaries in one
// window, chosen in CBSlownik. Editors open it pre-set to one dictionary.
class TfBiblioteka : public QDialog
{
    Q_OBJECT

public:
    // Index of each dictionary in the chooser.
    enum Index
    {
        StanTechniczny = 0,
        TypLicencji = 1,
        KlasyfikacjaKomputerow = 2,
        KlasyfikacjaOprogramowania = 3,
        KlasyfikacjaSprzetu = 4,
        KlasyfikacjaBhp = 5,
        KlasyfikacjaTerminow = 6,
        Dzialy = 7,
        Stanowiska = 8,
        StawkiVat = 9,
        Lokalizacje = 10,
        RodzajDokumentu = 11,
        RodzajZlecen = 12,
        RodzajeZalacznikow = 13
    };

    explicit TfBiblioteka(TmyDataBase& db, QWidget* parent = nullptr);
    ~TfBiblioteka() override;

    static const QList<DictionaryInfo>& dictionaries();

    // Pre-sets the chooser (the "[...]" buttons of the editors).
    void setDictionary(int index);
    int dictionary() const;
    const DictionaryInfo& current() const;
    // Rebuilds the list query for the chosen dictionary and shows it (code 36).
    bool showDictionary();

    void SBDodajClick();
    void SBKopiujClick();
    void SBEdytujClick();
    void SBUsunClick();

    TfEditBibliotekaAll* entryDialog() const { return m_entry; }
    DataGrid* grid() const { return m_grid; }
    QMenu* popupMenu() const { return m_menu; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // Add and copy: a new entry from the dialog (code 50).
    void addEntry(const QString& opis, const QString& uzup1);
    bool hasRow() const;
    void moveTo(qint64 kod);

    TmyDataBase& m_db;
    QComboBox* m_chooser;
    QLabel* m_title;
    DataGrid* m_grid;
    ListModel* m_model = nullptr;
    QMenu* m_menu;
    TfEditBibliotekaAll* m_entry;
};
