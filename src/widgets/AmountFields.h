#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;

// The four amount controls of an editor: net, VAT rate, VAT and gross. Keeps
// the three amounts consistent while the user types (typing net or VAT
// recomputes gross, typing gross recomputes net), uses the chosen rate once
// as a calculator, normalises a field when it is left and refuses on save a
// set of amounts whose cents do not add up. The rate itself is not stored.
class AmountFields : public QObject
{
    Q_OBJECT

public:
    AmountFields(QLineEdit* net, QComboBox* rate, QLineEdit* vat, QLineEdit* gross,
                 QObject* parent = nullptr);

    // Enter and Esc in the amount edits and in the closed rate list.
    void setSaveAction(std::function<void()> action) { m_save = std::move(action); }
    void setCancelAction(std::function<void()> action) { m_cancel = std::move(action); }

    // The program's number reading and amount text (base/Numbers.h), named
    // here for the editors that use the block.
    static QChar decimalSeparator();
    static QString format(double value);
    static bool parse(const QString& text, double* value);
    static QString shortest(double value);
    static qint32 cents(double value);
    // A point or a comma typed into `edit` becomes the decimal comma (the
    // numeric fields outside the block: hours, rates, quantities, seats).
    static void typeDecimalComma(QLineEdit* edit);
    // The edit's text as written into SQL: every comma a point.
    static QString sqlText(const QLineEdit* edit);

    void setAmounts(double net, double vat, double gross);
    // New records: all three 0 formatted "0.00", no rate chosen.
    void clear() { setAmounts(0, 0, 0); }

    // The save check: blank amounts become 0, unreadable ones and amounts
    // that do not add up are refused with "Uwaga" and the focus on the field.
    bool check();

    // Handlers (public for the editors' keyboard rules and for tests).
    void fNETTOChange();
    void fVATChange();
    void fBRUTTOChange();
    void fNETTOExit(QLineEdit* edit);
    void stawkaVATCloseUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setText(QLineEdit* edit, const QString& text);
    double value(const QLineEdit* edit) const;
    void emptyRate();

    QLineEdit* m_net;
    QComboBox* m_rate;
    QLineEdit* m_vat;
    QLineEdit* m_gross;
    std::function<void()> m_save;
    std::function<void()> m_cancel;
    bool m_checking = false;
};
