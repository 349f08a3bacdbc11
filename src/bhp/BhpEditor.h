#pragma once

#include "editors/EditorDialog.h"

#include <QList>

#include <functional>

class Lookup;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;
class Statement;
class TfBiblioteka;
class TmyDataBase;

// What a BHP item and a purchase hand each other when one becomes the other.
struct BhpItemData
{
    QString nazwa;
    QString cechy;
    QString nrewid;
    QString inne;
    double ilosc = 0;
    QVariant klasyfikator;
};

// Where a ticked "Dodaj powyższe dane do…" box hands the saved data on: the
// other register (items or purchases) and its add started with that data.
struct BhpHandOff
{
    QString registerName;
    std::function<void(const BhpItemData&)> add;
};

// What the BHP item and purchase editors share: the inventory number with
// its insert-last button, name, other and characteristics fields, the
// KLBHP classifier with its "[...]" shortcut, and the small builders.
class BhpEditor : public EditorDialog
{
    Q_OBJECT

public:
    BhpEditor(TmyDataBase& db, QWidget* parent);

    // The dictionary editor behind "[...]" (made on first use when not set).
    void setDictionaryEditor(TfBiblioteka* editor) { m_biblioteka = editor; }
    // Re-reads the KLBHP list of the classifier.
    void reopenClassifier();
    // The classifier's first entry (new records), or none when the list is empty.
    void chooseFirstClassifier();

    // The identity fields (NAZWA, CECHY, NREWID, INNE, KLASYFIKATOR) and `ilosc`.
    BhpItemData itemData(double ilosc) const;
    void setIdentity(const BhpItemData& data);

protected:
    TmyDataBase& db() const { return m_db; }
    QLabel* makeHeading(const QString& text);
    QLineEdit* textField(QWidget* parent, const char* name, int maxLength, const QString& hint);
    QToolButton* toolButton(QWidget* parent, const char* name, const QString& caption, const QString& hint);
    // Controls side by side, the first one stretching.
    static QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch = true);
    // Builds fNREWID (+ "<<" filling the last number of `table`), fNAZWA,
    // fINNE, fCECHY and fKLASYFIKATOR (+ "[...]") on `parent`.
    void buildIdentity(QWidget* parent, const QString& table, const QString& keyColumn,
                       const QString& nameHint);
    // "[...]" shown only outside the preview and with right 12.
    void showDictionaryButton();

    QLineEdit* fNREWID = nullptr;
    QToolButton* m_lastNumber = nullptr;
    QLineEdit* fNAZWA = nullptr;
    QLineEdit* fINNE = nullptr;
    QLineEdit* fCECHY = nullptr;
    Lookup* fKLASYFIKATOR = nullptr;
    QToolButton* goToSlownik1 = nullptr;

private:
    TmyDataBase& m_db;
    TfBiblioteka* m_biblioteka = nullptr;
};
