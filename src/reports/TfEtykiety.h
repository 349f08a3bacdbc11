#pragma once

#include "reports/BarcodeImage.h"
#include "reports/LabelLayout.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Drukuj etykiety": which rows get labels, the sheet they go on, the kind of
// code, and where on a sheet used in part the first label goes.
class TfEtykiety : public QDialog
{
    Q_OBJECT

public:
    struct Choice
    {
        bool all = false;
        LabelLayout::Kind layout = LabelLayout::A4_3x8;
        BarcodeImage::Symbology symbology = BarcodeImage::Symbology::Code128;
        int firstPlace = 1;
    };
    // Answers whether the labels can be made; false keeps the dialog open.
    using Check = std::function<bool(const Choice&)>;

    explicit TfEtykiety(QWidget* parent = nullptr);

    // Before showing: the rows of the list, and the last layout and code from the INI file.
    void prepare(int listRows);
    void setCheck(Check check) { m_check = std::move(check); }
    Choice choice() const;

    void SBPodgladClick();

private:
    void cbUkladChange();

    QRadioButton* m_selected;
    QRadioButton* m_all;
    QComboBox* m_layout;
    QComboBox* m_code;
    QSpinBox* m_first;
    QPushButton* m_preview;
    Check m_check;
};
