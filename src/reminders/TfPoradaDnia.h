#pragma once

#include "reminders/TipsFile.h"

#include <QDialog>

class QCheckBox;
class QLabel;

// "Porada dnia": a random tip from "porady.dat".
class TfPoradaDnia : public QDialog
{
    Q_OBJECT

public:
    TfPoradaDnia(const TipsFile& tips, QWidget* parent = nullptr);

    // Shows the window modally; "Nie pokazuj tego więcej" starts as the
    // opposite of pokazujPoradeDnia, which then takes the box's opposite and
    // is saved.
    void showTip();
    void SBNastepnaClick();

    QLabel* porada() const { return m_label; }
    QCheckBox* niePokazuj() const { return m_niePokazuj; }
    static QString noTipsText();

private:
    const TipsFile& m_tips;
    QLabel* m_label;
    QCheckBox* m_niePokazuj;
    int m_last = -1;
};
