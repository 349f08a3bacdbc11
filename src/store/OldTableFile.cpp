#include "store/OldTableFile.h"

#include "store/OldTablesError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

// The library's header declares plain C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
FILE* openForReading(const QString& path, bool writable = false)
{
#ifdef Q_OS_WIN
    return _wfopen(reinterpret_cast<const wchar_t*>(path.utf16()), writable ? L"w+b" : L"rb");
#else
    return std::fopen(QFile::encodeName(path).constData(), writable ? "w+b" : "rb");
#endif
}

// Collects what the library reports instead of letting it print.
void collectError(pxdoc_t*, int type, const char* message, void* data)
{
    if (type == PX_Warning || !data)
        return;
    auto* errors = static_cast<QStringList*>(data);
    errors->append(QString::fromLocal8Bit(message));
}

// pxlib 0.6.8 follows a table's chain of blocks past the end of a truncated
// file and goes round there for good. How far the chain can reach is given by
// three numbers of the header (which is never encrypted), so the file must be
// as long as they say before the library is given it.
bool holdsEveryBlock(QFile& file, qint64& headerSize, int& blockKib, qint64& blocks)
{
    const QByteArray head = file.read(0x12);
    if (head.size() < 0x12)
        return false;
    const auto u16 = [&head](int at) { return qint64(quint8(head[at])) | qint64(quint8(head[at + 1])) << 8; };
    headerSize = u16(0x02);
    blockKib = quint8(head[0x05]);
    blocks = u16(0x0C);
    return headerSize > 0 && blockKib >= 1 && blockKib <= 32 &&
           file.size() >= headerSize + blocks * blockKib * 1024;
}

OldTableFile::Kind kindOf(char type)
{
    switch (type) {
    case pxfAlpha:
        return OldTableFile::Kind::Text;
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb:
    case pxfBLOb:
        return OldTableFile::Kind::Memo;
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
        return OldTableFile::Kind::Integer;
    case pxfNumber:
    case pxfCurrency:
        return OldTableFile::Kind::Number;
    case pxfDate:
        return OldTableFile::Kind::Date;
    case pxfLogical:
        return OldTableFile::Kind::Logical;
    default:
        return OldTableFile::Kind::Other;
    }
}
} // namespace

struct OldTableFile::Private
{
    QString path;
    pxdoc_t* doc = nullptr;
    FILE* table = nullptr;
    FILE* blob = nullptr;
    std::unique_ptr<QTemporaryDir> blobCopyDir;
    QStringList errors;
    QList<Field> fields;
    std::vector<char> types;
    std::vector<char> record;
    bool hasMemo = false;

    ~Private()
    {
        if (doc) {
            PX_close(doc);
            PX_delete(doc);
        }
        if (blob)
            std::fclose(blob);
        if (table)
            std::fclose(table);
    }
};

OldTableFile::OldTableFile(const QString& path) : d(std::make_unique<Private>())
{
    d->path = path;
}

OldTableFile::~OldTableFile() = default;

QString OldTableFile::path() const
{
    return d->path;
}

QString OldTableFile::fileName() const
{
    return QDir::toNativeSeparators(d->path);
}

void OldTableFile::damaged() const
{
    throw OldTablesError(OldTablesError::Reason::Damaged,
                         QStringLiteral("Plik %1 jest uszkodzony albo niekompletny i nie da się go odczytać. "
                                        "Przenieś dane z kopii zapasowej bazy poprzedniej wersji programu.")
                             .arg(fileName()));
}

void OldTableFile::open()
{
    qint64 headerSize = 0;
    int blockKib = 0;
    qint64 blocks = 0;
    {
        QFile file(d->path);
        if (!file.open(QIODevice::ReadOnly))
            throw OldTablesError(OldTablesError::Reason::Damaged,
                                 QStringLiteral("Nie można otworzyć pliku %1 do odczytu (%2).")
                                     .arg(fileName(), file.errorString()));
        if (!holdsEveryBlock(file, headerSize, blockKib, blocks))
            damaged();
    }
    d->table = openForReading(d->path);
    if (!d->table)
        damaged();
    d->doc = PX_new3(collectError, nullptr, nullptr, nullptr, &d->errors);
    if (!d->doc || PX_open_fp(d->doc, d->table) < 0)
        damaged();
    const pxhead_t* head = d->doc->px_head;
    // The library's reading of the header must agree with the check above.
    if (head->px_headersize != headerSize || head->px_maxtablesize != blockKib ||
        qint64(head->px_fileblocks) != blocks || head->px_numrecords < 0 || head->px_recordsize <= 0 ||
        !d->errors.isEmpty())
        damaged();

    int offset = 0;
    for (int i = 0; i < PX_get_num_fields(d->doc); ++i) {
        const pxfield_t* f = PX_get_field(d->doc, i);
        if (!f || f->px_flen <= 0)
            damaged();
        Field field;
        field.name = QString::fromLatin1(f->px_fname ? f->px_fname : "").trimmed();
        field.kind = kindOf(f->px_ftype);
        field.offset = offset;
        field.length = f->px_flen;
        offset += f->px_flen;
        d->hasMemo = d->hasMemo || field.kind == Kind::Memo;
        d->fields << field;
        d->types.push_back(f->px_ftype);
    }
    if (offset != head->px_recordsize)
        damaged();
    d->record.assign(size_t(head->px_recordsize), 0);
}

void OldTableFile::attachBlobFile(const QString& path)
{
    const auto damagedBlob = [&] {
        throw OldTablesError(OldTablesError::Reason::Damaged,
                             QStringLiteral("Plik %1 (dane pól opisowych tabeli %2) jest uszkodzony albo "
                                            "niekompletny i nie da się go odczytać. Przenieś dane z kopii "
                                            "zapasowej bazy poprzedniej wersji programu.")
                                 .arg(QDir::toNativeSeparators(path), QFileInfo(d->path).fileName()));
    };
    // A blob file is made of whole 4 KiB blocks.
    const qint64 size = QFileInfo(path).size();
    if (size < 4096 || size % 4096 != 0)
        damagedBlob();
    // pxlib 0.6.8 overruns its stack while it lists the blocks of a blob file
    // (twelve bytes read into a nine-byte header). The list only serves
    // writing, and the library skips it for a file whose size is not a whole
    // number of blocks: so it is handed a copy one byte longer.
    d->blobCopyDir = std::make_unique<QTemporaryDir>();
    const QString copy = d->blobCopyDir->filePath(QStringLiteral("blob.mb"));
    QFile out(copy);
    if (!d->blobCopyDir->isValid() || !QFile::copy(path, copy) || !out.open(QIODevice::Append) ||
        out.write("\0", 1) != 1)
        throw OldTablesError(OldTablesError::Reason::Damaged,
                             QStringLiteral("Nie można przygotować odczytu pliku %1: brak miejsca w folderze "
                                            "plików tymczasowych.")
                                 .arg(QDir::toNativeSeparators(path)));
    out.close();
    d->blob = openForReading(copy);
    if (!d->blob || PX_set_blob_fp(d->doc, d->blob) < 0)
        damagedBlob();
    d->errors.clear(); // the library's note that the copy is not whole blocks
}

const QList<OldTableFile::Field>& OldTableFile::fields() const
{
    return d->fields;
}

int OldTableFile::fieldIndex(const QString& name) const
{
    for (int i = 0; i < d->fields.size(); ++i)
        if (d->fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool OldTableFile::hasMemoFields() const
{
    return d->hasMemo;
}

int OldTableFile::recordCount() const
{
    return d->doc ? PX_get_num_records(d->doc) : 0;
}

qint64 OldTableFile::lastAutoIncrement() const
{
    return d->doc ? d->doc->px_head->px_autoinc : 0;
}

bool OldTableFile::isProtected() const
{
    return d->doc && (d->doc->px_head->px_encryption & 0xffffffffUL) != 0;
}

bool OldTableFile::accepts(quint32 checksum) const
{
    // The header keeps 32 bits; the library widens them with the sign.
    return !isProtected() || quint32(d->doc->px_head->px_encryption & 0xffffffffUL) == checksum;
}

quint32 OldTableFile::passwordChecksum(const QByteArray& password)
{
    // The library turns a password into its checksum only while it writes a
    // protected table: a throw-away table of one field is made for it.
    QTemporaryFile scratch;
    if (!scratch.open())
        return 0;
    const QString name = scratch.fileName();
    scratch.close();
    FILE* file = openForReading(name, true);
    if (!file)
        return 0;
    quint32 checksum = 0;
    if (pxdoc_t* doc = PX_new3(collectError, nullptr, nullptr, nullptr, nullptr)) {
        auto* field = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t), "field"));
        field->px_fname = PX_strdup(doc, "ID");
        field->px_ftype = pxfLong;
        field->px_flen = 4;
        field->px_fdc = 0;
        if (PX_create_fp(doc, field, 1, file, pxfFileTypNonIndexDB) == 0 &&
            PX_set_parameter(doc, "password", password.constData()) == 0)
            checksum = quint32(doc->px_head->px_encryption & 0xffffffffUL);
        PX_close(doc);
        PX_delete(doc);
    }
    std::fclose(file);
    return checksum;
}

bool OldTableFile::longValue(char* data, int length, long& value) const
{
    // An empty field is stored as zero bytes, which is also how the format
    // would have to keep -2^31; so that value means empty. (pxlib 0.6.8 on a
    // 64-bit system reads the empty field as that value, testing eight bytes
    // of a four-byte copy.)
    return PX_get_data_long(d->doc, data, length, &value) > 0 && value != -2147483648L;
}

void OldTableFile::read(int index)
{
    d->errors.clear();
    if (!PX_get_record(d->doc, index, d->record.data()) || !d->errors.isEmpty())
        damaged();
}

bool OldTableFile::integer(int field, qint64& value) const
{
    const Field& f = d->fields.at(field);
    char* data = d->record.data() + f.offset;
    switch (d->types[size_t(field)]) {
    case pxfShort: {
        short v = 0;
        if (PX_get_data_short(d->doc, data, f.length, &v) <= 0)
            return false;
        value = v;
        return true;
    }
    case pxfLong:
    case pxfAutoInc: {
        long v = 0;
        if (!longValue(data, f.length, v))
            return false;
        value = v;
        return true;
    }
    case pxfLogical: {
        char v = 0;
        if (PX_get_data_byte(d->doc, data, f.length, &v) <= 0)
            return false;
        value = v != 0 ? 1 : 0;
        return true;
    }
    case pxfDate: {
        long days = 0;
        if (!longValue(data, f.length, days))
            return false;
        int year = 0, month = 0, day = 0;
        // Days since 1 January of year 0, as the library's manual converts them.
        PX_SdnToGregorian(days + 1721425, &year, &month, &day);
        value = qint64(year) * 10000 + month * 100 + day;
        return true;
    }
    default:
        return false;
    }
}

bool OldTableFile::number(int field, double& value) const
{
    const Field& f = d->fields.at(field);
    if (f.kind == Kind::Integer) {
        qint64 v = 0;
        if (!integer(field, v))
            return false;
        value = double(v);
        return true;
    }
    if (f.kind != Kind::Number)
        return false;
    return PX_get_data_double(d->doc, d->record.data() + f.offset, f.length, &value) > 0;
}

bool OldTableFile::bytes(int field, QByteArray& value) const
{
    const Field& f = d->fields.at(field);
    char* data = d->record.data() + f.offset;
    char* text = nullptr;
    if (f.kind == Kind::Text) {
        if (PX_get_data_alpha(d->doc, data, f.length, &text) <= 0 || !text)
            return false;
        value = QByteArray(text, qsizetype(strnlen(text, size_t(f.length))));
        d->doc->free(d->doc, text);
        return true;
    }
    if (f.kind != Kind::Memo)
        return false;
    int modification = 0;
    int size = 0;
    d->errors.clear();
    const int found = PX_get_data_blob(d->doc, data, f.length, &modification, &size, &text);
    if (found <= 0 && size <= 0)
        return false; // an empty memo
    if (found <= 0 || !text || !d->errors.isEmpty()) {
        if (text)
            d->doc->free(d->doc, text);
        throw OldTablesError(
            OldTablesError::Reason::Damaged,
            QStringLiteral("Pola opisowe tabeli %1 nie dają się odczytać: plik danych tych pól "
                           "(.MB) jest uszkodzony, niekompletny albo go brak. Przenieś dane z "
                           "kopii zapasowej bazy poprzedniej wersji programu.")
                .arg(fileName()));
    }
    value = QByteArray(text, size);
    d->doc->free(d->doc, text);
    return true;
}
