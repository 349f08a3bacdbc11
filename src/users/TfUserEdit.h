#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The account editor. Passwords are kept as hashes, so on editing an
// account both password fields start empty and, left empty, keep the stored
// password.
class TfUserEdit : public QDialog
{
    Q_OBJECT

public:
    explicit TfUserEdit(QWidget* parent = nullptr);

    // "Dodaj": every field empty, the name enabled.
    void prepareNew();
    // "Edytuj": the name shown and disabled, the description filled.
    void prepareEdit(const QString& name, const QString& description);

    bool saved() const { return m_saved; }
    QString name() const;
    QString password() const;
    QString description() const;

    void SBZapiszClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_saved = false;
    bool m_editing = false;
    QLineEdit* fNAZWA;
    QLineEdit* fOPIS;
    QLineEdit* fHASLO;
    QLineEdit* fHASLO2;
    QPushButton* m_zapisz;
    QPushButton* m_anuluj;
};
