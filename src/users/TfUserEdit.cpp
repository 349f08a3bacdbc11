#include "users/TfUserEdit.h"

#include "base/Dialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* field(QWidget* parent, const char* name, const QString& hint, int maxLength, bool password = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(hint);
    edit->setMaxLength(maxLength);
    if (password)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}
} // namespace

TfUserEdit::TfUserEdit(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfUserEdit"));
    setWindowTitle(QStringLiteral("Użytkownik"));
    auto* heading = new QLabel(QStringLiteral("Użytkownik"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    fNAZWA = field(this, "fNAZWA", QStringLiteral("Nazwa użytkownika"), 20);
    fOPIS = field(this, "fOPIS", QStringLiteral("Opis użytkownika"), 100);
    fHASLO = field(this, "fHASLO", QStringLiteral("Hasło dostępu"), 20, true);
    fHASLO2 = field(this, "fHASLO2", QStringLiteral("Wprowadź ponownie hasło w celu sprawdzenia poprawności"),
                    20, true);

    m_zapisz = new QPushButton(QStringLiteral("&Zapisz"), this);
    m_zapisz->setObjectName(QStringLiteral("SBZapisz"));
    m_zapisz->setToolTip(QStringLiteral("Zapisz zmiany"));
    m_zapisz->setDefault(true);
    m_anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    m_anuluj->setObjectName(QStringLiteral("SBAnuluj"));
    m_anuluj->setToolTip(QStringLiteral("Anuluj zmiany"));
    m_anuluj->setAutoDefault(false);

    // Wide enough to read a long description without scrolling the field.
    const int chars = fontMetrics().averageCharWidth();
    fOPIS->setMinimumWidth(chars * 60);
    for (QLineEdit* edit : {fNAZWA, fHASLO, fHASLO2})
        edit->setMinimumWidth(chars * 24);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(QStringLiteral("Nazwa"), fNAZWA);
    form->addRow(QStringLiteral("Opis"), fOPIS);
    form->addRow(QStringLiteral("Hasło"), fHASLO);
    form->addRow(QStringLiteral("Powtórka hasła"), fHASLO2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_zapisz);
    buttons->addWidget(m_anuluj);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_zapisz, &QPushButton::clicked, this, &TfUserEdit::SBZapiszClick);
    connect(m_anuluj, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in any field reaches the default button "Zapisz".
}

void TfUserEdit::prepareNew()
{
    m_editing = false;
    m_saved = false;
    fNAZWA->setEnabled(true);
    for (QLineEdit* edit : {fNAZWA, fOPIS, fHASLO, fHASLO2})
        edit->clear();
    fHASLO->setPlaceholderText({});
    fHASLO2->setPlaceholderText({});
}

void TfUserEdit::prepareEdit(const QString& name, const QString& description)
{
    m_editing = true;
    m_saved = false;
    fNAZWA->setText(name);
    fNAZWA->setEnabled(false);
    fOPIS->setText(description);
    fHASLO->clear();
    fHASLO2->clear();
    fHASLO->setPlaceholderText(QStringLiteral("bez zmian"));
    fHASLO2->setPlaceholderText(QStringLiteral("bez zmian"));
}

QString TfUserEdit::name() const
{
    return fNAZWA->text();
}

QString TfUserEdit::password() const
{
    return fHASLO->text();
}

QString TfUserEdit::description() const
{
    return fOPIS->text();
}

void TfUserEdit::showEvent(QShowEvent* event)
{
    // Each showing starts unsaved: "Anuluj" after a refused name must end the add.
    m_saved = false;
    QDialog::showEvent(event);
    QLineEdit* first = fNAZWA->isEnabled() ? fNAZWA : fOPIS;
    first->setFocus();
    first->selectAll();
}

void TfUserEdit::SBZapiszClick()
{
    auto refuse = [](QLineEdit* edit, const QString& text) {
        Dialogs::info(QStringLiteral("Uwaga"), text);
        edit->setFocus();
    };
    if (fNAZWA->text().trimmed().isEmpty())
        return refuse(fNAZWA, QStringLiteral("Nie wprowadzono nazwy użytkownika. Popraw pole."));
    // Editing with both fields left empty keeps the stored password.
    const bool keep = m_editing && fHASLO->text().isEmpty() && fHASLO2->text().isEmpty();
    if (!keep) {
        if (fHASLO->text().trimmed().isEmpty())
            return refuse(fHASLO, QStringLiteral("Nie wprowadzono hasła. Popraw pole."));
        if (fHASLO->text().trimmed().size() < 3)
            return refuse(fHASLO,
                          QStringLiteral("Hasło zbyt krótkie. Powinno składać się conajmniej z trzech "
                                         "znaków. Popraw pole."));
        if (fHASLO->text() != fHASLO2->text())
            return refuse(fHASLO, QStringLiteral(
                                      "Wprowadzone hasło jest inne od ponownie wprowadzonego. Popraw pole."));
    }
    m_saved = true;
    accept();
}
