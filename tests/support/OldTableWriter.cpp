#include "OldTableWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

// The library's header declares plain C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {
int widthOf(const OldTableWriter::Column& c)
{
    using K = OldTableWriter::Kind;
    switch (c.kind) {
    case K::Short:
        return 2;
    case K::Number:
    case K::Currency:
        return 8;
    case K::Logical:
        return 1;
    case K::Alpha:
    case K::Memo:
        return c.length;
    default:
        return 4;
    }
}

char typeOf(OldTableWriter::Kind kind)
{
    using K = OldTableWriter::Kind;
    switch (kind) {
    case K::AutoInc:
        return pxfAutoInc;
    case K::Long:
        return pxfLong;
    case K::Short:
        return pxfShort;
    case K::Number:
        return pxfNumber;
    case K::Currency:
        return pxfCurrency;
    case K::Date:
        return pxfDate;
    case K::Logical:
        return pxfLogical;
    case K::Alpha:
        return pxfAlpha;
    case K::Memo:
        return pxfMemoBLOb;
    }
    return pxfLong;
}

pxfield_t* fieldsFor(pxdoc_t* doc, const QList<OldTableWriter::Column>& columns)
{
    auto* fields =
        static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * size_t(columns.size()), "fields"));
    for (int i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = PX_strdup(doc, columns.at(i).name.toLatin1().constData());
        fields[i].px_ftype = typeOf(columns.at(i).kind);
        fields[i].px_flen = widthOf(columns.at(i));
        fields[i].px_fdc = 0;
    }
    return fields;
}

QByteArray bytesOf(const OldTableWriter::Value& value)
{
    if (const auto* text = std::get_if<QString>(&value)) {
        QStringEncoder encoder("windows-1250");
        return encoder(*text);
    }
    if (const auto* bytes = std::get_if<QByteArray>(&value))
        return *bytes;
    return {};
}

double numberOf(const OldTableWriter::Value& value)
{
    if (const auto* n = std::get_if<double>(&value))
        return *n;
    return double(std::get<qint64>(value));
}
} // namespace

struct OldTableWriter::Private
{
    QString path;
    QList<Column> columns;
    std::vector<int> offsets;
    std::vector<char> record;
    std::vector<char> memory;
    FILE* file = nullptr;
    pxdoc_t* doc = nullptr;
    int count = 0;
    qint64 lastAutoIncrement = -1;
    bool closed = false;
};

OldTableWriter::OldTableWriter(const QString& path, const QList<Column>& columns, const QString& password,
                               qint64 expectedRows)
    : d(std::make_unique<Private>())
{
    d->path = path;
    d->columns = columns;
    int recordSize = 0;
    bool memo = false;
    for (const Column& c : columns) {
        d->offsets.push_back(recordSize);
        recordSize += widthOf(c);
        memo = memo || c.kind == Kind::Memo;
    }
    d->record.assign(size_t(recordSize), 0);

    // The library picks the block size from the record size; a first table in
    // a small buffer tells it, so the real buffer holds every block.
    int headerSize = 0;
    int blockBytes = 0;
    {
        std::vector<char> probe(256 * 1024);
        FILE* f = fmemopen(probe.data(), probe.size(), "w+");
        pxdoc_t* doc = PX_new();
        if (PX_create_fp(doc, fieldsFor(doc, columns), int(columns.size()), f, pxfFileTypNonIndexDB) < 0)
            throw std::runtime_error("pxlib cannot create the table");
        headerSize = doc->px_head->px_headersize;
        blockBytes = doc->px_head->px_maxtablesize * 1024;
        PX_close(doc);
        PX_delete(doc);
        std::fclose(f);
    }
    const qint64 perBlock = std::max<qint64>(1, (blockBytes - 6) / recordSize);
    d->memory.assign(size_t(headerSize + (expectedRows / perBlock + 4) * blockBytes), 0);
    d->file = fmemopen(d->memory.data(), d->memory.size(), "w+");
    d->doc = PX_new();
    if (!d->file || PX_create_fp(d->doc, fieldsFor(d->doc, columns), int(columns.size()), d->file,
                                 pxfFileTypNonIndexDB) < 0)
        throw std::runtime_error("pxlib cannot create the table");
    // The previous version's tables carry the Windows-1250 code page.
    d->doc->px_head->px_doscodepage = 1250;
    PX_set_tablename(d->doc, QFileInfo(path).fileName().toLower().toLatin1().constData());
    if (!password.isEmpty())
        PX_set_parameter(d->doc, "password", password.toLatin1().constData());
    if (memo) {
        const QString blob = QFileInfo(path).path() + QLatin1Char('/') + QFileInfo(path).completeBaseName() +
                             QStringLiteral(".MB");
        if (PX_set_blob_file(d->doc, QFile::encodeName(blob).constData()) < 0)
            throw std::runtime_error("pxlib cannot create the blob file");
    }
}

OldTableWriter::~OldTableWriter()
{
    try {
        close();
    } catch (const std::exception&) {
        // close() was not called: the caller learns nothing more here
    }
}

void OldTableWriter::append(const QList<Value>& values)
{
    if (values.size() != d->columns.size())
        throw std::runtime_error("a row needs one value per column");
    std::memset(d->record.data(), 0, d->record.size());
    for (int i = 0; i < values.size(); ++i) {
        const Value& v = values.at(i);
        if (std::holds_alternative<std::monostate>(v))
            continue; // the library reads all-zero bytes as empty
        const Column& c = d->columns.at(i);
        char* data = d->record.data() + d->offsets[size_t(i)];
        const int width = widthOf(c);
        switch (c.kind) {
        case Kind::AutoInc:
        case Kind::Long:
            PX_put_data_long(d->doc, data, width, int(std::get<qint64>(v)));
            if (c.kind == Kind::AutoInc)
                d->lastAutoIncrement = std::max(d->lastAutoIncrement, std::get<qint64>(v));
            break;
        case Kind::Short:
            PX_put_data_short(d->doc, data, width, short(std::get<qint64>(v)));
            break;
        case Kind::Number:
        case Kind::Currency:
            PX_put_data_double(d->doc, data, width, numberOf(v));
            break;
        case Kind::Date: {
            const qint64 ymd = std::get<qint64>(v);
            PX_put_data_long(
                d->doc, data, width,
                int(PX_GregorianToSdn(int(ymd / 10000), int(ymd / 100 % 100), int(ymd % 100)) - 1721425));
            break;
        }
        case Kind::Logical:
            PX_put_data_byte(d->doc, data, width, std::get<qint64>(v) ? 1 : 0);
            break;
        case Kind::Alpha: {
            QByteArray bytes = bytesOf(v);
            bytes.truncate(width);
            PX_put_data_alpha(d->doc, data, width, bytes.data());
            break;
        }
        case Kind::Memo: {
            QByteArray bytes = bytesOf(v);
            if (PX_put_data_blob(d->doc, data, width, bytes.data(), int(bytes.size())) < 0)
                throw std::runtime_error("pxlib cannot write the memo value");
            break;
        }
        }
    }
    if (PX_put_recordn(d->doc, d->record.data(), d->count) < 0)
        throw std::runtime_error("pxlib cannot write the record");
    ++d->count;
}

void OldTableWriter::remove(int index)
{
    if (PX_delete_record(d->doc, index) < 0)
        throw std::runtime_error("pxlib cannot delete the record");
    --d->count;
}

void OldTableWriter::setLastAutoIncrement(qint64 value)
{
    d->lastAutoIncrement = value;
}

void OldTableWriter::close()
{
    if (d->closed)
        return;
    d->closed = true;
    if (d->lastAutoIncrement >= 0) {
        d->doc->px_head->px_autoinc = int(d->lastAutoIncrement);
        PX_set_tablename(d->doc, QFileInfo(d->path).fileName().toLower().toLatin1().constData());
    }
    PX_close(d->doc);
    PX_delete(d->doc);
    std::fflush(d->file);
    std::fseek(d->file, 0, SEEK_END);
    const long size = std::ftell(d->file);
    std::fclose(d->file);
    if (size <= 0 || size_t(size) >= d->memory.size())
        throw std::runtime_error("the table did not fit its buffer");
    QFile out(d->path);
    if (!out.open(QIODevice::WriteOnly) || out.write(d->memory.data(), size) != size)
        throw std::runtime_error("cannot write the table file");
}
