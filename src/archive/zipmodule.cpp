#include "archive/module.h"

#include <QSet>

#include <zip.h>

#include <memory>

namespace archive {

namespace {

ArchiveError::Fault faultOf(int zipError) {
    return zipError == ZIP_ER_WRONGPASSWD ? ArchiveError::Fault::WrongPassword : ArchiveError::Fault::Damaged;
}

struct ZipError {
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    ZipError(const ZipError &) = delete;
    ZipError &operator=(const ZipError &) = delete;
    [[noreturn]] void raise(const char *what) {
        throw ArchiveError(std::string(what) + ": " + zip_error_strerror(&error), faultOf(zip_error_code_zip(&error)));
    }
};

[[noreturn]] void raise(zip_t *za, const char *what) {
    throw ArchiveError(std::string(what) + ": " + zip_strerror(za), faultOf(zip_error_code_zip(zip_get_error(za))));
}

struct SourceFree {
    void operator()(zip_source_t *s) const { zip_source_free(s); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
    void operator()(zip_t *za) const { zip_discard(za); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscard>;

QByteArray readBack(zip_source_t *source) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_open(source) < 0)
        throw ArchiveError("cannot reopen the archive buffer");
    if (zip_source_stat(source, &st) < 0 || !(st.valid & ZIP_STAT_SIZE)) {
        zip_source_close(source);
        throw ArchiveError("cannot size the archive buffer");
    }
    QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
    const zip_int64_t n = zip_source_read(source, bytes.data(), st.size);
    zip_source_close(source);
    if (n != zip_int64_t(st.size))
        throw ArchiveError("cannot read the archive buffer");
    return bytes;
}

zip_stat_t memberStat(zip_t *za, zip_uint64_t index) {
    zip_stat_t st;
    if (zip_stat_index(za, index, 0, &st) < 0)
        raise(za, "stat");
    return st;
}

QByteArray readMember(zip_t *za, const zip_stat_t &st, const QByteArray &password) {
    if ((st.valid & ZIP_STAT_SIZE) && st.size > zip_uint64_t(MAX_MEMBER_SIZE))
        throw ArchiveError("member too large", ArchiveError::Fault::TooLarge);
    zip_file_t *file = zip_fopen_index_encrypted(za, st.index, 0, password.constData());
    if (!file)
        raise(za, "open member");
    // A wrong password passes the open now and then and yields garbage: only a read to the end and the
    // CRC test at close tell.
    QByteArray content;
    char chunk[16384];
    for (;;) {
        const zip_int64_t n = zip_fread(file, chunk, sizeof chunk);
        if (n < 0) {
            const std::string message = std::string("read member: ") + zip_file_strerror(file);
            zip_fclose(file);
            throw ArchiveError(message);
        }
        if (n == 0)
            break;
        if (content.size() + n > MAX_MEMBER_SIZE) {
            zip_fclose(file);
            throw ArchiveError("member too large", ArchiveError::Fault::TooLarge);
        }
        content.append(chunk, qsizetype(n));
    }
    if (const int error = zip_fclose(file); error != 0) {
        ZipError e;
        zip_error_set(&e.error, error, 0);
        e.raise("close member");
    }
    return content;
}

QByteArray packMembers(const QList<Member> &members, const QString &password) {
    ZipError e;
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &e.error));
    if (!buffer)
        e.raise("archive buffer");
    zip_source_keep(buffer.get()); // the archive frees its source at close; the bytes are read after
    Archive za(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &e.error));
    if (!za) {
        zip_source_free(buffer.get()); // drops the reference the failed open did not take over
        e.raise("create archive");
    }
    const QByteArray pw = password.toLatin1();
    for (const Member &m : members) {
        zip_source_t *data = zip_source_buffer(za.get(), m.content.constData(), zip_uint64_t(m.content.size()), 0);
        if (!data)
            raise(za.get(), "member source");
        const zip_int64_t index = zip_file_add(za.get(), m.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            raise(za.get(), "add member");
        }
        if (zip_file_set_encryption(za.get(), zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, pw.constData()) < 0)
            raise(za.get(), "encrypt member");
    }
    if (zip_close(za.get()) < 0)
        raise(za.get(), "write archive");
    za.release(); // closed: nothing left to discard
    return readBack(buffer.get());
}

QList<std::optional<QByteArray>> unpackMembers(const QByteArray &zip, const QString &password,
                                               const QStringList &names) {
    // libzip takes an empty buffer for an empty archive; no export is one.
    if (!zip.startsWith("PK"))
        throw ArchiveError("not a ZIP archive", ArchiveError::Fault::NotZip);
    ZipError e;
    zip_source_t *source = zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &e.error);
    if (!source)
        e.raise("archive buffer");
    Archive za(zip_open_from_source(source, ZIP_RDONLY, &e.error));
    if (!za) {
        zip_source_free(source);
        e.raise("open archive");
    }
    const QByteArray pw = password.toLatin1();
    QList<std::optional<QByteArray>> contents(names.size());
    QSet<QString> seen;
    const zip_int64_t count = zip_get_num_entries(za.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const zip_stat_t st = memberStat(za.get(), zip_uint64_t(i));
        // The program encrypts every member by the traditional method and names each once; an archive
        // that does otherwise is not one of its exports, and a member in the clear would pass without the
        // password. (Refused here, a method libzip 1.7 does not support never reaches its open, which
        // then leaks the member's source.)
        if (!(st.valid & ZIP_STAT_ENCRYPTION_METHOD) || st.encryption_method != ZIP_EM_TRAD_PKWARE)
            throw ArchiveError("member not encrypted by the traditional method", ArchiveError::Fault::NotEncrypted);
        const QString name = QString::fromUtf8(st.name);
        if (seen.contains(name.toCaseFolded()))
            throw ArchiveError("two members of one name", ArchiveError::Fault::DuplicateName);
        seen.insert(name.toCaseFolded());
        for (qsizetype k = 0; k < names.size(); ++k) {
            if (name.compare(names[k], Qt::CaseInsensitive) == 0)
                contents[k] = readMember(za.get(), st, pw);
        }
    }
    return contents;
}

} // namespace

} // namespace archive

// The only symbol the module exports (the rest is hidden): ArchiveError, thrown here, is caught in the
// program by its type's name.
extern "C" __attribute__((visibility("default"))) const archive::Module *volby_archive_module() {
    static constexpr archive::Module module{&archive::packMembers, &archive::unpackMembers};
    return &module;
}
