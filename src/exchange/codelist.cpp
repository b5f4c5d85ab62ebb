#include "exchange/codelist.h"

#include "store/codec.h"
#include "store/errors.h"
#include "store/table.h"

#include <QFile>

QStringList import_record(const QString &line) {
    QStringList values = line.split(QLatin1Char('|'));
    values.removeLast(); // what follows the last "|", or the whole line when it has none
    return values;
}

void importCodeListFile(Table &table, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InputOutputError(QStringLiteral("Súbor %1 sa nedá otvoriť: %2").arg(path, file.errorString()));
    const QByteArray content = file.readAll();
    if (file.error() != QFile::NoError)
        throw InputOutputError(QStringLiteral("Súbor %1 sa nedá prečítať: %2").arg(path, file.errorString()));

    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    TableRewrite rewrite(table);
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QStringList values = import_record(cp1250::decode(line));
        table.append();
        for (int k = 0; k < table.fieldCount() && k < values.size(); ++k)
            table.setText(k, values[k]);
        table.post();
    }
    rewrite.commit();
    table.first();
}
