#include "widgets/AmountFields.h"

#include "base/Dialogs.h"
#include "base/Numbers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {
// Digits, an optional leading minus and one decimal separator. A point or a
// comma becomes the decimal comma and blanks are dropped, so a pasted
// "1 234.56" arrives as 1234,56 instead of being refused or misread.
class AmountValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        const QChar sep = AmountFields::decimalSeparator();
        QString cleaned;
        int newPos = pos;
        for (int i = 0; i < input.size(); ++i) {
            QChar c = input.at(i);
            if (c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F)) {
                if (i < pos)
                    --newPos;
                continue;
            }
            if (c == QLatin1Char('.') || c == QLatin1Char(','))
                c = sep;
            cleaned += c;
        }
        input = cleaned;
        pos = std::clamp(newPos, 0, int(input.size()));
        bool separatorSeen = false;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c.isDigit())
                continue;
            if (c == QLatin1Char('-') && i == 0)
                continue;
            if (c == sep && !separatorSeen) {
                separatorSeen = true;
                continue;
            }
            return Invalid;
        }
        return Acceptable;
    }
};
} // namespace

AmountFields::AmountFields(QLineEdit* net, QComboBox* rate, QLineEdit* vat, QLineEdit* gross, QObject* parent)
    : QObject(parent), m_net(net), m_rate(rate), m_vat(vat), m_gross(gross)
{
    for (QLineEdit* edit : {m_net, m_vat, m_gross}) {
        edit->setMaxLength(18);
        edit->setAlignment(Qt::AlignRight);
        edit->setValidator(new AmountValidator(edit));
        edit->installEventFilter(this);
    }
    m_rate->installEventFilter(this);
    connect(m_net, &QLineEdit::textChanged, this, &AmountFields::fNETTOChange);
    connect(m_vat, &QLineEdit::textChanged, this, &AmountFields::fVATChange);
    connect(m_gross, &QLineEdit::textChanged, this, &AmountFields::fBRUTTOChange);
    connect(m_rate, &QComboBox::activated, this, &AmountFields::stawkaVATCloseUp);
}

QChar AmountFields::decimalSeparator()
{
    return Numbers::decimalSeparator();
}

QString AmountFields::format(double value)
{
    return Numbers::amountText(value);
}

bool AmountFields::parse(const QString& text, double* value)
{
    return Numbers::parse(text, value);
}

QString AmountFields::shortest(double value)
{
    return Numbers::shortest(value);
}

qint32 AmountFields::cents(double value)
{
    return Numbers::cents(value);
}

void AmountFields::typeDecimalComma(QLineEdit* edit)
{
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QChar sep = decimalSeparator();
        QString t = text;
        t.replace(QLatin1Char('.'), sep).replace(QLatin1Char(','), sep);
        if (t != text) {
            const int pos = edit->cursorPosition();
            edit->setText(t);
            edit->setCursorPosition(pos);
        }
    });
}

QString AmountFields::sqlText(const QLineEdit* edit)
{
    QString text = edit->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text.isEmpty() ? QStringLiteral("0") : text;
}

void AmountFields::setText(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

double AmountFields::value(const QLineEdit* edit) const
{
    double v = 0;
    return parse(edit->text(), &v) ? v : 0.0;
}

void AmountFields::emptyRate()
{
    m_rate->setCurrentIndex(-1);
}

void AmountFields::setAmounts(double net, double vat, double gross)
{
    const bool was = m_checking;
    m_checking = true; // the stored amounts are shown as they are
    setText(m_net, format(net));
    setText(m_vat, format(vat));
    setText(m_gross, format(gross));
    m_checking = was;
    emptyRate();
}

void AmountFields::fNETTOChange()
{
    if (m_checking)
        return;
    emptyRate();
    if (m_gross->hasFocus())
        return;
    setText(m_gross, format(value(m_net) + value(m_vat)));
}

void AmountFields::fVATChange()
{
    if (m_checking || m_gross->hasFocus())
        return;
    setText(m_gross, format(value(m_net) + value(m_vat)));
}

void AmountFields::fBRUTTOChange()
{
    if (m_checking)
        return;
    emptyRate();
    if (m_net->hasFocus())
        return;
    const double d = value(m_gross) - value(m_vat);
    if (d >= 0)
        setText(m_net, format(d));
}

void AmountFields::fNETTOExit(QLineEdit* edit)
{
    // A blank is 0; a text that does not read stays as typed, so that the
    // save check shows its message instead of storing 0.
    double v = 0;
    if (Numbers::read(edit->text(), &v))
        setText(edit, format(v));
}

void AmountFields::stawkaVATCloseUp()
{
    double net = 0;
    if (!parse(m_net->text(), &net))
        return;
    if (m_rate->currentIndex() < 0)
        return;
    bool ok = false;
    const int r = m_rate->currentText().trimmed().toInt(&ok);
    if (!ok)
        return;
    const long double vat = static_cast<long double>(r) * 0.01L * static_cast<long double>(net);
    setText(m_vat, format(double(vat)));
    setText(m_gross, format(net + double(vat)));
}

bool AmountFields::check()
{
    struct Item
    {
        QLineEdit* edit;
        const char* message;
    };
    const Item items[] = {{m_net, "Niepoprawna wartość netto kosztu. Popraw pole."},
                          {m_vat, "Niepoprawna kwota VAT. Popraw pole."},
                          {m_gross, "Niepoprawna wartość brutto kosztu. Popraw pole."}};
    double values[3] = {0, 0, 0};
    // Normalising the texts must not recompute the other amounts: the check
    // compares what the user entered.
    const bool was = m_checking;
    m_checking = true;
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) {
        QLineEdit* edit = items[i].edit;
        if (edit->text().trimmed().isEmpty())
            edit->setText(QStringLiteral("0"));
        if (!parse(edit->text(), &values[i])) {
            Dialogs::info(QStringLiteral("Uwaga"), QString::fromUtf8(items[i].message));
            edit->setFocus();
            ok = false;
            break;
        }
        setText(edit, shortest(values[i]));
    }
    m_checking = was;
    if (!ok)
        return false;
    if (qint64(cents(values[0])) + cents(values[1]) != cents(values[2])) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Wprowadzone kwoty nie zgadzają się. Popraw pola."));
        m_net->setFocus();
        return false;
    }
    return true;
}

bool AmountFields::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rate) {
        if (event->type() == QEvent::FocusOut)
            stawkaVATCloseUp();
        if (event->type() == QEvent::KeyPress && !m_rate->view()->isVisible()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_save) {
                m_save();
                return true;
            }
            if (key == Qt::Key_Escape && m_cancel) {
                m_cancel();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && !edit->isReadOnly()) {
        fNETTOExit(edit);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (m_save) {
                m_save();
                return true;
            }
        } else if (key->key() == Qt::Key_Escape) {
            if (m_cancel) {
                m_cancel();
                return true;
            }
        } else if (!edit->isReadOnly()) {
            emptyRate();
            const QString text = key->text();
            const QChar sep = decimalSeparator();
            if ((text == QLatin1String(".") || text == QLatin1String(",")) && text.at(0) != sep) {
                edit->insert(QString(sep));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
