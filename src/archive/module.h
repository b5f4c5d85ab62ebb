#pragma once

#include "exchange/archive.h"

// The ZIP module: archive::pack and archive::unpack of a shared library of their own, loaded at their first
// call (src/exchange/archive.cpp), so that libzip and the libraries it pulls in cost the start-up of the
// program nothing. Its one exported symbol gives all its functions: one lookup at the load.
namespace archive {

struct Module {
    QByteArray (*pack)(const QList<Member> &members, const QString &password);
    QList<std::optional<QByteArray>> (*unpack)(const QByteArray &zip, const QString &password,
                                               const QStringList &names);
};

inline constexpr char MODULE_ENTRY[] = "volby_archive_module";

} // namespace archive

extern "C" const archive::Module *volby_archive_module();
