#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// "BHP na stanie": after a holding changes from A to B, the user confirms
// the new quantity on stock. C = B − A, X = D − C, where D is the item's
// quantity on stock now.
class TfIloscNaStanie : public QDialog
{
    Q_OBJECT

public:
    explicit TfIloscNaStanie(QWidget* parent = nullptr);

    // Fills the values; "Nowa wartość" starts at X with `useX`, else at D.
    void prepare(double before, double after, double onStock, bool useX);
    // "Nowa wartość" once confirmed.
    double newValue() const { return m_value; }

    double c() const { return m_c; }
    double x() const { return m_x; }

    void SBOkClick();

private:
    QLineEdit* valueField(const char* name);

    QLineEdit* fILOSCPRACPRZED;
    QLineEdit* fILOSCPRACPO;
    QLineEdit* fROZNICAC;
    QLineEdit* fILOSCNASTANIEPRZED;
    QLineEdit* fROZNICAX;
    QLineEdit* fILOSCNASTANIEPO;
    QLabel* m_exampleLabel;
    QLabel* m_directionLabel;
    double m_c = 0;
    double m_x = 0;
    double m_d = 0;
    double m_value = 0;
};
