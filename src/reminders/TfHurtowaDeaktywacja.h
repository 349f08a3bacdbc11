#pragma once

#include <QDialog>

class DateField;
class CalendarPicker;
class QCheckBox;
class QLineEdit;
class TmyDataBase;

// "Hurtowa dezaktywacja terminów": deadlines, repairs and documents of a
// period made inactive, for all assets or for the one chosen.
class TfHurtowaDeaktywacja : public QDialog
{
    Q_OBJECT

public:
    explicit TfHurtowaDeaktywacja(TmyDataBase& db, QWidget* parent = nullptr);

    // All assets: the series text and no restriction.
    void setAllAssets();
    // One asset: "K", "S" or "L" with its key and inventory number.
    void setAsset(const QString& kind, qint64 key, const QString& nrewid);
    static QString allAssetsText();

    void SBWykonajClick();

    QLineEdit* editSeria() const { return m_seria; }
    DateField* termDataOd() const { return m_od; }
    DateField* termDataDo() const { return m_do; }
    QCheckBox* cbTerminy() const { return m_terminy; }
    QCheckBox* cbNaprawy() const { return m_naprawy; }
    QCheckBox* cbDokumenty() const { return m_dokumenty; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TmyDataBase& m_db;
    QLineEdit* m_seria;
    QCheckBox* m_terminy;
    QCheckBox* m_naprawy;
    QCheckBox* m_dokumenty;
    DateField* m_od;
    DateField* m_do;
    CalendarPicker* m_odPicker;
    CalendarPicker* m_doPicker;
    QString m_kind;
    qint64 m_key = 0;
};
