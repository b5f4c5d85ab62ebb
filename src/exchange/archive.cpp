#include "exchange/archive.h"

#include "archive/module.h"

#include <dlfcn.h>

#include <string>

namespace archive {

namespace {

struct Loaded {
    const Module *module = nullptr;
    std::string error; // dlerror()'s text when the module could not be loaded
};

std::string loaderError(const char *what) {
    const char *error = dlerror();
    return std::string(what) + ": " + (error ? error : "unknown error");
}

Loaded load() {
    // Found by its file name through the program's run path: dist/ in the build, a folder of the program's
    // own under lib/ once installed.
    void *handle = dlopen(VOLBY_ARCHIVE_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return {nullptr, loaderError("cannot load the archive module")};
    void *entry = dlsym(handle, MODULE_ENTRY);
    if (!entry)
        return {nullptr, loaderError("not an archive module")};
    const Module *module = reinterpret_cast<const Module *(*)()>(entry)();
    return {module, {}};
}

// Loaded once, at the first call (the counting centre reads archives from several threads), and never
// unloaded: an ArchiveError it threw lives on in its caller. A module that failed to load is not tried again.
const Module &module() {
    static const Loaded loaded = load();
    if (!loaded.module)
        throw ArchiveError(loaded.error);
    return *loaded.module;
}

} // namespace

QByteArray pack(const QList<Member> &members, const QString &password) {
    return module().pack(members, password);
}

QList<std::optional<QByteArray>> unpack(const QByteArray &zip, const QString &password, const QStringList &names) {
    return module().unpack(zip, password, names);
}

} // namespace archive
