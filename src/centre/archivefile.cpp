#include "centre/archivefile.h"

#include "exchange/archive.h"
#include "exchange/password.h"
#include "store/disk.h"
#include "store/errors.h"

#include <QCryptographicHash>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

QString faultText(archive::ArchiveError::Fault fault) {
    using Fault = archive::ArchiveError::Fault;
    switch (fault) {
    case Fault::NotZip:
        return u"súbor nie je archív ZIP"_s;
    case Fault::WrongPassword:
        return u"archív je zašifrovaný iným heslom"_s;
    case Fault::NotEncrypted:
        return u"archív obsahuje nezašifrovaný súbor"_s;
    case Fault::DuplicateName:
        return u"archív obsahuje dva súbory rovnakého mena"_s;
    case Fault::TooLarge:
        return u"súbor v archíve je väčší ako 16 MiB"_s;
    case Fault::Damaged:
        break;
    }
    return u"archív je poškodený alebo neúplný"_s;
}

QByteArray digestOf(const QByteArray &s, const QByteArray &p) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // The length first, so that no other split of the same bytes gives the same digest.
    hash.addData(QByteArray::number(s.size()) + ':');
    hash.addData(s);
    hash.addData(p);
    return hash.result();
}

} // namespace

std::variant<ArchiveContent, QString> openArchive(const QString &path) {
    int code = 0;
    const disk::File file = disk::File::tryOpen(path, 0, code, true);
    if (!file.isOpen())
        return u"súbor sa nedá otvoriť: "_s + disk::errorText(code);
    QByteArray bytes;
    try {
        if (file.size() > archive::MAX_ARCHIVE_SIZE)
            return u"súbor je väčší ako 16 MiB, žiadny export nie je taký veľký"_s;
        bytes = file.readAll();
    } catch (const StorageError &e) {
        return e.message();
    }

    const QString suffix = QFileInfo(path).fileName().mid(2);
    ArchiveContent content{u"s"_s + suffix, u"p"_s + suffix, {}, {}, {}};
    try {
        const auto members = archive::unpack(bytes, heslo_zip(), {content.sName, content.pName});
        for (qsizetype i = 0; i < members.size(); ++i) {
            if (!members[i])
                return u"v archíve nie je súbor "_s + (i == 0 ? content.sName : content.pName);
        }
        content.sFile = *members[0];
        content.pFile = *members[1];
    } catch (const archive::ArchiveError &e) {
        return faultText(e.fault());
    }
    content.digest = digestOf(content.sFile, content.pFile);
    return content;
}

} // namespace centre
