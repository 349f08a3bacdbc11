#include "reminders/TfNotatki.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfNotatki::TfNotatki(std::array<NoteSlot, 30>& notes, QWidget* parent)
    : QDialog(parent), m_notes(notes), m_number(new QLineEdit(this)), m_termin(new DateField(this)),
      m_picker(new CalendarPicker(m_termin, this)), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TfNotatki"));
    setWindowTitle(QStringLiteral("Notatki"));
    setModal(true);
    resize(520, 340);

    auto* heading = new QLabel(QStringLiteral("Edytuj notatki"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_number->setObjectName(QStringLiteral("ilosc_n"));
    m_number->setReadOnly(true);
    m_number->setMaximumWidth(50);
    m_number->setToolTip(QStringLiteral("Numer edytowanej notatki z listy notatek (od 1 do 30)"));
    m_termin->setObjectName(QStringLiteral("termin"));
    m_termin->setToolTip(
        QStringLiteral("Termin od kiedy notatka nabiera ważności. Po tej dacie program bedzie "
                       "wyświetlał przypomnienie o notatce"));
    m_termin->installEventFilter(this);
    m_picker->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    m_text->setObjectName(QStringLiteral("notatka"));
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        // At most 250 characters can be typed.
        const QString text = m_text->toPlainText();
        if (text.size() > kMaxText) {
            const QSignalBlocker block(m_text);
            m_text->setPlainText(text.left(kMaxText));
            m_text->moveCursor(QTextCursor::End);
        }
    });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Numer notatki:"), this));
    top->addWidget(m_number);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Termin notatki:"), this));
    top->addWidget(m_termin);
    top->addWidget(m_picker);
    top->addStretch();

    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* prev =
        button("SBPoprzednia", QStringLiteral("&<<"), QStringLiteral("Poprzednia notatka z listy notatek"));
    QPushButton* next =
        button("SBNastepna", QStringLiteral("&>>"), QStringLiteral("Następna notatka z listy notatek"));
    QPushButton* clear =
        button("SBWyczysc", QStringLiteral("Wyczyść"), QStringLiteral("Czyści bieżącą notatkę"));
    QPushButton* ok = button("SBOk", QStringLiteral("&OK"), QString());
    connect(prev, &QPushButton::clicked, this, &TfNotatki::SBPoprzedniaClick);
    connect(next, &QPushButton::clicked, this, &TfNotatki::SBNastepnaClick);
    connect(clear, &QPushButton::clicked, this, &TfNotatki::SBWyczyscClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prev);
    buttons->addWidget(next);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(top);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
}

int TfNotatki::exec()
{
    showNote(1);
    return QDialog::exec();
}

void TfNotatki::done(int result)
{
    storeNote(); // closing by OK, Enter or Escape keeps what was typed
    QDialog::done(result);
}

bool TfNotatki::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_termin && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfNotatki::showNote(int number)
{
    m_current = number;
    const NoteSlot& note = m_notes[size_t(number - 1)];
    m_number->setText(QString::number(number));
    m_termin->setDateText(note.data.isEmpty() ? DateField::emptyText() : note.data);
    m_text->setPlainText(note.opis);
    m_picker->syncFromField();
}

void TfNotatki::storeNote()
{
    NoteSlot& note = m_notes[size_t(m_current - 1)];
    const QString text = m_text->toPlainText();
    if (text.trimmed().isEmpty()) {
        note.data.clear();
        note.opis.clear();
        m_termin->setDateText(DateField::emptyText());
        return;
    }
    if (!m_termin->isValidDate())
        m_termin->setDateText(DateField::emptyText());
    note.data = m_termin->dateText();
    QString opis = text.left(kMaxText);
    opis.replace(QLatin1Char('"'), QLatin1Char('`'));
    note.opis = opis;
    if (opis != text) {
        const QSignalBlocker block(m_text);
        m_text->setPlainText(opis);
    }
}

void TfNotatki::SBPoprzedniaClick()
{
    storeNote();
    showNote(m_current == 1 ? 30 : m_current - 1);
}

void TfNotatki::SBNastepnaClick()
{
    storeNote();
    showNote(m_current == 30 ? 1 : m_current + 1);
}

void TfNotatki::SBWyczyscClick()
{
    if (Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) &&
        !Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Czy usunąć bieżącą notatkę?")))
        return;
    m_termin->setDateText(DateField::emptyText());
    m_text->clear();
    NoteSlot& note = m_notes[size_t(m_current - 1)];
    note.data.clear();
    note.opis.clear();
}
