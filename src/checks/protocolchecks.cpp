#include "checks/protocolchecks.h"

#include "checks/arithmetic.h"
#include "store/schema.h"
#include "store/table.h"

namespace {

QString decimal(qint32 value) {
    return QString::number(value);
}

Finding finding(const char *code, const QString &text, std::optional<FormBox> box = std::nullopt) {
    return Finding{QString::fromLatin1(code), text, box};
}

// A count that must not be smaller than another: when first is, the text, first as keyed, between,
// second as keyed, and the difference.
std::optional<Finding> notSmaller(const char *code, const QString &text, const QString &first, const QString &between,
                                  const QString &second) {
    const qint32 a = integerValue(first);
    const qint32 b = integerValue(second);
    if (a >= b)
        return std::nullopt;
    return finding(code, text + first + between + second + QStringLiteral(", rozdiel = ") + decimal(sub32(b, a)));
}

} // namespace

ProtocolRecord protocolRecord(const Table &s1) {
    ProtocolRecord record;
    record.obvod = s1.text(QStringLiteral("OBVOD"));
    record.obec = s1.text(QStringLiteral("OBEC"));
    record.okrsok = s1.text(QStringLiteral("OKRSOK"));
    record.pozzv = s1.text(QStringLiteral("POZZV"));
    record.pvo = s1.text(QStringLiteral("PVO"));
    record.pooPosta = s1.text(QStringLiteral("POO_POSTA"));
    record.poo = s1.text(QStringLiteral("POO"));
    record.pphs = s1.text(QStringLiteral("PPHS"));
    for (int n = 1; n <= form::partyFields; ++n)
        record.partyVotes[n - 1] = s1.text(schemas::S1_PPHPS1 + n - 1);
    return record;
}

std::optional<Finding> T12K01(const ProtocolRecord &s1, const Municipality &municipality) {
    if (municipality.obvod == s1.obvod)
        return std::nullopt;
    return finding("K01", QStringLiteral("K01 Chybný kód obvodu, zaz. = ") + s1.obvod, FormBox::Obvod);
}

std::optional<Finding> T12K03(const ProtocolRecord &s1, const std::optional<Municipality> &municipality) {
    if (!municipality)
        return std::nullopt; // K02's
    const qint32 okrsok = integerValue(s1.okrsok);
    const qint32 pocoks = integerValue(municipality->pocoks);
    if (okrsok != 0 && pocoks >= okrsok)
        return std::nullopt;
    return finding("K03", k03Message(s1.okrsok, municipality->pocoks), FormBox::Okrsok);
}

std::optional<Finding> T12K04(const ProtocolRecord &s1) {
    return notSmaller("K04",
                      QStringLiteral("K04 Počet voličov zapísaných v zozname voličov je menší ako počet voličov, ktorí "
                                     "sa zúčastnili na hlasovaní zap.voliči: "),
                      s1.pozzv, QStringLiteral(", zúčast.: "), s1.pvo);
}

std::optional<Finding> T12K05(const ProtocolRecord &s1) {
    return notSmaller("K05",
                      QStringLiteral("K05 Počet voličov, ktorí sa zúč. na hlasovaní je menší ako počet voličov, ktorí "
                                     "zaslali návratnú obálku  Zúčast.: "),
                      s1.pvo, QStringLiteral(" , N-obálky.: "), s1.pooPosta);
}

std::optional<Finding> T12K06(const ProtocolRecord &s1) {
    return notSmaller("K06",
                      QStringLiteral("K06 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako počet "
                                     "odovzdaných obálok,  Zúčast.: "),
                      s1.pvo, QStringLiteral(" , odovzd. obálky: "), s1.poo);
}

std::optional<Finding> T12K07(const ProtocolRecord &s1) {
    const qint32 pvo = integerValue(s1.pvo);
    const qint32 envelopes = add32(integerValue(s1.poo), integerValue(s1.pooPosta));
    if (pvo >= envelopes)
        return std::nullopt;
    return finding(
        "K07", QStringLiteral("K07 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako súčet údajov "
                              "počet odovzdaných obálok a počet voličov, ktorí zaslali návratnú obálku,  "
                              "Zúčast.: ") +
                   s1.pvo + QStringLiteral(" , odovzd. obálky: ") + s1.poo + QStringLiteral(" , návratné obálky.: ") +
                   s1.pooPosta + QStringLiteral(", rozdiel = ") + decimal(sub32(envelopes, pvo)));
}

std::optional<Finding> T12K08(const ProtocolRecord &s1) {
    const qint32 envelopes = add32(integerValue(s1.poo), integerValue(s1.pooPosta));
    const qint32 pphs = integerValue(s1.pphs);
    if (envelopes >= pphs)
        return std::nullopt;
    return finding("K08",
                   QStringLiteral("K08 Počet odovzdaných obálok je menší ako počet platných hlasov spolu, odovzd. "
                                  "obálky: ") +
                       decimal(envelopes) + QStringLiteral(", platné hlasy spolu: ") + s1.pphs +
                       QStringLiteral(", rozdiel = ") + decimal(sub32(pphs, envelopes)));
}

std::optional<Finding> T12K09(const ProtocolRecord &s1) {
    qint32 sum = 0;
    for (const QString &votes : s1.partyVotes)
        sum = add32(sum, integerValue(votes));
    const qint32 pphs = integerValue(s1.pphs);
    if (sum == pphs)
        return std::nullopt;
    return finding("K09",
                   QStringLiteral("K09 Súčet platných hlasov získaných všetkými kandidujúcimi politickými stranami "
                                  "nie je rovný počtu platných hlasov spolu, súčet platných hlasov všetkých "
                                  "politických strán : ") +
                       decimal(sum) + QStringLiteral(", platné hlasy spolu: ") + decimal(pphs) +
                       QStringLiteral(", rozdiel = ") + decimal(sub32(pphs, sum)));
}

std::optional<Finding> T12I10(const ProtocolRecord &s1) {
    if (integerValue(s1.pozzv) != integerValue(s1.pvo))
        return std::nullopt;
    return finding("I10", QStringLiteral("I10 Rovnaký počet voličov zapísaných do zoznamu voličov a počet voličov, "
                                         "ktorí sa zúčastnili hlasovania"));
}
