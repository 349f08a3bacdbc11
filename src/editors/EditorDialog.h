#pragma once

#include <QDialog>
#include <QSize>
#include <QVariant>

class QPushButton;
class QHBoxLayout;

// What every record editor offers its caller: one control per column named
// "f" + column, a confirmation flag set only by a successful "Zapisz", and
// the read-only switch that turns the editor into a preview.
class EditorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EditorDialog(QWidget* parent = nullptr);

    bool saved() const { return m_saved; }

    // The control of a column ("NAZWA" -> fNAZWA); nullptr when absent.
    QWidget* field(const QString& column) const;
    // Text fields give their text, date fields the masked dd-mm-yyyy text,
    // lookups the shown text.
    QString text(const QString& column) const;
    void setText(const QString& column, const QString& text);
    // Date fields: yyyymmdd, 0 when empty or unreadable.
    qint64 date(const QString& column) const;
    void setDate(const QString& column, qint64 yyyymmdd);
    // Lookups: the chosen key, invalid when nothing is chosen.
    QVariant key(const QString& column) const;
    void setKey(const QString& column, const QVariant& key);
    // Amount fields: the text with every comma a point, "0" when blank.
    QString amountSql(const QString& column) const;

    // The preview switch (see ReadOnlySwitch).
    virtual void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Editable: "Zapisz" is shown.
    bool isEditable() const;

    virtual void SBZapiszClick() = 0;
    // Enter runs "Zapisz" only where it is shown.
    void saveIfEditable();

    QPushButton* zapiszButton() const { return m_zapisz; }
    QPushButton* anulujButton() const { return m_anuluj; }

protected:
    void showEvent(QShowEvent* event) override;
    // Every tab title of the editor shows, whichever tabs are shown, and the
    // editor has its design size unless what is shown needs more.
    void fitContents();
    // Shows "Uwaga" with the message and puts the focus on the control.
    bool refuse(QWidget* control, const QString& message);
    // "Zapisz" passed: the flag is set and the editor closes.
    void confirm();
    // An editor that decides not to show itself answers "not saved".
    void clearSaved() { m_saved = false; }
    // The bar with "Zapisz" and "Anuluj".
    QHBoxLayout* makeButtonBar();

private:
    bool m_saved = false;
    QSize m_designSize; // the size before the first opening
    bool m_readOnly = false;
    QPushButton* m_zapisz;
    QPushButton* m_anuluj;
};
