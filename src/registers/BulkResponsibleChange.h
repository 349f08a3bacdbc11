#pragma once

#include <QObject>
#include <QString>

class TfMain;
class TfOdpowiedzialny;

// "Zmień hurtowo osobę odpowiedzialną": every computer and/or equipment item
// of one responsible employee goes to another. Only the responsible employee
// of those rows changes; users and the employee on other records stay.
class BulkResponsibleChange : public QObject
{
    Q_OBJECT

public:
    explicit BulkResponsibleChange(TfMain& main);

    void zmianaOdpowiedzialnejClick();
    // Both tables in one transaction: true when the change was written.
    bool change(const QString& currentPerson, const QString& newPerson, bool computers, bool equipment,
                bool includeLiquidated);

    TfOdpowiedzialny& dialog() const { return *m_dialog; }

private:
    TfMain& m_main;
    TfOdpowiedzialny* m_dialog = nullptr;
};
