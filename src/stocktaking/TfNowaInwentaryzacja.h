#pragma once

#include "store/Stocktaking.h"

#include <QDialog>

class DateField;
class QComboBox;
class QPlainTextEdit;
class SqlConnection;

// Opening a stocktaking session: its scope, its date and its committee.
class TfNowaInwentaryzacja : public QDialog
{
    Q_OBJECT

public:
    TfNowaInwentaryzacja(SqlConnection& connection, QWidget* parent = nullptr);

    // Fills the choices from the database and empties the form; false when
    // they cannot be read (reported).
    bool prepare();
    // The session as typed, valid after the dialog was accepted.
    StocktakingSession session() const { return m_session; }

    void SBZapiszClick();

private:
    void zakresChange();

    SqlConnection& m_connection;
    QComboBox* m_zakres;
    QComboBox* m_lokalizacja;
    QComboBox* m_osoba;
    QComboBox* m_rejestr;
    DateField* m_data;
    QPlainTextEdit* m_komisja;
    StocktakingSession m_session;
};
