#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The entry dialog of the dictionary editor: one text of at most 100
// characters; UZUP1 travels unseen. A VAT rate must be a whole number and is
// kept in its plain decimal form.
class TfEditBibliotekaAll : public QDialog
{
    Q_OBJECT

public:
    explicit TfEditBibliotekaAll(QWidget* parent = nullptr);

    void prepare(const QString& caption, const QString& label, const QString& dictionaryCode,
                 const QString& opis = {}, const QString& uzup1 = {});
    bool ok() const { return m_ok; }
    QString opis() const;
    QString uzup1() const;

    void SBZapiszClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_ok = false;
    QString m_code;
    QLabel* m_label;
    QLineEdit* FOpis;
    QLineEdit* FUzup1;
    QPushButton* m_zapisz;
    QPushButton* m_anuluj;
};
