#include "ui/exchangeactions.h"

#include "exchange/codelistimport.h"
#include "exchange/export.h"
#include "exchange/import.h"
#include "ui/services.h"

#include <QDir>

namespace {

std::optional<QString> ask(Services &services, const FileQuestion &question) {
    // The proposed name stands after the folder, as the open dialog takes it.
    const QString start =
        question.proposedName.isEmpty() ? question.folder : QDir(question.folder).filePath(question.proposedName);
    return services.openFileName(question.title, start, QString());
}

} // namespace

void exportDistrict(District &district, Services &services) {
    PendingExport pending = Button16Click(district);
    present(services, pending.outcome());
    std::optional<QString> chosen;
    if (const std::optional<FileQuestion> &question = pending.question())
        chosen = services.saveFileName(question->title, question->folder, question->proposedName, QString());
    present(services, pending.finish(chosen));
}

void importArchive(District &district, Services &services) {
    if (const std::optional<QString> chosen = ask(services, archiveQuestion()))
        present(services, rozbal_zip(district, *chosen));
}

void importCodeList(District &district, Services &services, CodeList list) {
    const bool municipalities = list == CodeList::Municipalities;
    const std::optional<QString> chosen =
        ask(services, codeListQuestion(municipalities ? QStringLiteral("OBCE06") : QStringLiteral("KOAL06")));
    if (!chosen)
        return;
    if (municipalities)
        import_ciselnikov_obecsr(district, *chosen);
    else
        import_ciselnikov_koal06(district, *chosen);
}
