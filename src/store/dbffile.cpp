#include "store/dbffile.h"

#include "store/codec.h"
#include "store/errors.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <shapefil.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// What shapelib's hooks hand around as a file: the stream and whether a write or sync failed.
struct HookFile {
    FILE *stream;
    int error = 0;
};

thread_local QString t_lastError;
// The table file being opened. shapelib tries both cases of the extension and would take a twin
// such as S1.dbf beside S1.DBF; the hook lets only the exact name through.
thread_local QByteArray t_exactPath;

HookFile *hookFile(SAFile f) { return reinterpret_cast<HookFile *>(f); }

SAFile hookOpen(const char *name, const char *access)
{
    const QByteArray requested(name);
    if (!t_exactPath.isEmpty() && requested != t_exactPath && requested.toLower() == t_exactPath.toLower())
        return nullptr;
    FILE *stream = std::fopen(name, access);
    if (!stream)
        return nullptr;
    return reinterpret_cast<SAFile>(new HookFile{stream});
}

SAOffset hookRead(void *p, SAOffset size, SAOffset n, SAFile f) { return std::fread(p, size, n, hookFile(f)->stream); }

SAOffset hookWrite(void *p, SAOffset size, SAOffset n, SAFile f)
{
    const SAOffset written = std::fwrite(p, size, n, hookFile(f)->stream);
    if (written != n && !hookFile(f)->error)
        hookFile(f)->error = errno ? errno : EIO;
    return written;
}

SAOffset hookSeek(SAFile f, SAOffset offset, int whence)
{
    return SAOffset(std::fseek(hookFile(f)->stream, long(offset), whence));
}

SAOffset hookTell(SAFile f) { return SAOffset(std::ftell(hookFile(f)->stream)); }

// shapelib flushes after every header update: that is where a post becomes durable.
int hookFlush(SAFile f)
{
    HookFile *h = hookFile(f);
    if (std::fflush(h->stream) != 0 || ::fdatasync(fileno(h->stream)) != 0) {
        if (!h->error)
            h->error = errno ? errno : EIO;
        return -1;
    }
    return 0;
}

int hookClose(SAFile f)
{
    HookFile *h = hookFile(f);
    const int rc = std::fclose(h->stream);
    delete h;
    return rc;
}

int hookRemove(const char *name) { return std::remove(name); }
void hookError(const char *message) { t_lastError = QString::fromLocal8Bit(message); }
double hookAtof(const char *text) { return std::atof(text); }

SAHooks *hooks()
{
    static SAHooks h = [] {
        SAHooks x{};
        x.FOpen = hookOpen;
        x.FRead = hookRead;
        x.FWrite = hookWrite;
        x.FSeek = hookSeek;
        x.FTell = hookTell;
        x.FFlush = hookFlush;
        x.FClose = hookClose;
        x.Remove = hookRemove;
        x.Error = hookError;
        x.Atof = hookAtof;
        return x;
    }();
    return &h;
}

DBFHandle dbf(void *handle) { return static_cast<DBFHandle>(handle); }

int recordLength(const TableSchema &schema)
{
    int length = 0;
    for (const FieldDef &f : schema.fields)
        length += f.width;
    return length;
}

void setToday(DBFHandle h)
{
    const QDate today = QDate::currentDate();
    DBFSetLastModifiedDate(h, today.year() - 1900, today.month(), today.day());
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

[[noreturn]] void fail(const QString &path, const QString &what)
{
    throw StorageError(QStringLiteral("Tabuľka %1: %2").arg(dbfDisplayName(path), what));
}

// The header must describe exactly the schema's fields, all of type C, in order.
void validateFields(DBFHandle h, const QString &path, const TableSchema &schema)
{
    const int count = DBFGetFieldCount(h);
    for (int i = 0; i < int(schema.fields.size()); ++i) {
        const FieldDef &want = schema.fields[i];
        if (i >= count)
            fail(path, QStringLiteral("chýba pole %1.").arg(want.name));
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0;
        int decimals = 0;
        DBFGetFieldInfo(h, i, name, &width, &decimals);
        const char type = DBFGetNativeFieldType(h, i);
        const QString found = QString::fromLatin1(name);
        if (found.compare(want.name, Qt::CaseInsensitive) != 0) {
            int elsewhere = -1;
            for (int j = 0; j < count && elsewhere < 0; ++j) {
                DBFGetFieldInfo(h, j, name, nullptr, nullptr);
                if (QString::fromLatin1(name).compare(want.name, Qt::CaseInsensitive) == 0)
                    elsewhere = j;
            }
            if (elsewhere < 0)
                fail(path, QStringLiteral("chýba pole %1.").arg(want.name));
            fail(path, QStringLiteral("pole %1 je na %2. mieste, má byť na %3. mieste.")
                           .arg(want.name)
                           .arg(elsewhere + 1)
                           .arg(i + 1));
        }
        if (type != 'C' || width != want.width)
            fail(path, QStringLiteral("pole %1 má typ %2 a šírku %3, má byť znakové (C) so šírkou %4.")
                           .arg(want.name, QString(QChar::fromLatin1(type)))
                           .arg(width)
                           .arg(want.width));
    }
    if (count > int(schema.fields.size())) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        DBFGetFieldInfo(h, int(schema.fields.size()), name, nullptr, nullptr);
        fail(path, QStringLiteral("obsahuje nečakané pole %1.").arg(QString::fromLatin1(name)));
    }
}

} // namespace

QString dbfDisplayName(const QString &path)
{
    const QFileInfo info(path);
    return QDir(info.dir().dirName()).filePath(info.fileName());
}

DbfFile::DbfFile(const QString &path_, const TableSchema &schema_) : path(path_), schema(schema_)
{
    const QFileInfo info(path);
    // shapelib tries both cases of the extension; the installation's names are exact.
    if (!info.exists() || !QDir(info.path()).entryList(QDir::Files | QDir::Hidden).contains(info.fileName()))
        fail(path, QStringLiteral("súbor neexistuje."));
    if (!info.isFile())
        fail(path, QStringLiteral("nie je to súbor."));
    if (!info.isReadable() || !info.isWritable())
        fail(path, QStringLiteral("súbor sa nedá otvoriť na čítanie a zápis."));

    t_lastError.clear();
    t_exactPath = QFile::encodeName(path);
    handle = DBFOpenLL(t_exactPath.constData(), "rb+", hooks());
    t_exactPath.clear();
    if (!handle)
        fail(path, QStringLiteral("súbor nie je tabuľka dBase, jeho hlavička je poškodená alebo neúplná%1.")
                       .arg(t_lastError.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(t_lastError)));
    try {
        DBFHandle h = dbf(handle);
        validateFields(h, path, schema);
        if (h->nRecordLength != 1 + recordLength(schema))
            fail(path, QStringLiteral("dĺžka záznamu v hlavičke (%1) nezodpovedá poliam.").arg(h->nRecordLength));
        const qint64 needed = qint64(h->nHeaderLength) + qint64(h->nRecords) * h->nRecordLength;
        if (h->nRecords < 0 || info.size() < needed)
            fail(path, QStringLiteral("súbor je kratší, ako udáva jeho hlavička (%1 záznamov).").arg(h->nRecords));
        setToday(h);
    } catch (...) {
        DBFClose(dbf(handle));
        throw;
    }
}

DbfFile::~DbfFile()
{
    if (handle)
        DBFClose(dbf(handle));
}

int DbfFile::rowCount() const { return DBFGetRecordCount(dbf(handle)); }

void DbfFile::readAll(std::vector<QByteArray> &records, std::vector<int> &rows) const
{
    DBFHandle h = dbf(handle);
    const int length = h->nRecordLength - 1;
    records.clear();
    rows.clear();
    for (int row = 0; row < h->nRecords; ++row) {
        const char *raw = DBFReadTuple(h, row);
        if (!raw)
            fail(path, QStringLiteral("záznam %1 sa nedá prečítať.").arg(row + 1));
        if (raw[0] == '*')
            continue; // deleted in another program: not part of the table
        if (raw[0] != ' ')
            fail(path, QStringLiteral("záznam %1 je poškodený.").arg(row + 1));
        QByteArray record(raw + 1, length);
        int offset = 0;
        for (const FieldDef &f : schema.fields) {
            for (int i = offset; i < offset + f.width; ++i) {
                const auto b = static_cast<unsigned char>(record[i]);
                if (b < 0x20 || b == 0x7F || !cp1250::isDefined(b))
                    fail(path, QStringLiteral("záznam %1, pole %2 obsahuje bajt 0x%3, ktorý nie je text Windows-1250.")
                                   .arg(row + 1)
                                   .arg(f.name)
                                   .arg(b, 2, 16, QChar('0')));
            }
            offset += f.width;
        }
        records.push_back(record);
        rows.push_back(row);
    }
}

void DbfFile::write(int row, const QByteArray &record)
{
    DBFHandle h = dbf(handle);
    QByteArray raw = ' ' + record;
    auto *file = hookFile(h->fp);
    file->error = 0;
    t_lastError.clear();
    const bool ok = DBFWriteTuple(h, row, raw.data());
    DBFUpdateHeader(h); // writes the record and the header, then syncs
    if (!ok || file->error || !t_lastError.isEmpty())
        fail(path, QStringLiteral("zápis záznamu %1 zlyhal (%2).")
                       .arg(row + 1)
                       .arg(file->error ? QString::fromLocal8Bit(std::strerror(file->error)) : t_lastError));
}

void DbfFile::replace(const QString &path, const TableSchema &schema, const std::vector<QByteArray> &records)
{
    const QFileInfo info(path);
    // shapelib names what it creates *.dbf; the temporary name differs from every table's.
    const QString temporary = info.dir().filePath(info.completeBaseName() + QStringLiteral("~new.dbf"));
    const QByteArray temporaryName = QFile::encodeName(temporary);
    t_lastError.clear();
    DBFHandle h = DBFCreateLL(temporaryName.constData(), "LDID/200", hooks());
    if (!h)
        fail(path, QStringLiteral("nový súbor sa nedá vytvoriť (%1).").arg(QString::fromLocal8Bit(std::strerror(errno))));
    bool ok = true;
    for (const FieldDef &f : schema.fields)
        ok = ok && DBFAddNativeFieldType(h, f.name.toLatin1().constData(), 'C', f.width, 0) >= 0;
    setToday(h);
    for (int row = 0; ok && row < int(records.size()); ++row) {
        QByteArray raw = ' ' + records[row];
        ok = DBFWriteTuple(h, row, raw.data());
    }
    if (ok) {
        DBFUpdateHeader(h); // last record, header, sync
        ok = hookFile(h->fp)->error == 0;
    }
    const int error = hookFile(h->fp)->error;
    DBFClose(h);
    if (!ok || std::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        const int cause = error ? error : errno;
        std::remove(temporaryName.constData());
        fail(path, QStringLiteral("zápis nového obsahu zlyhal (%1).").arg(QString::fromLocal8Bit(std::strerror(cause))));
    }
    syncFolder(info.path());
}
