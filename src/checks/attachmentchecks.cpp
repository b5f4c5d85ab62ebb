#include "checks/attachmentchecks.h"

#include "checks/arithmetic.h"
#include "store/schema.h"
#include "store/table.h"

namespace {

QString decimal(qint32 value) {
    return QString::number(value);
}

Finding finding(const char *code, const QString &text) {
    return Finding{QString::fromLatin1(code), text, std::nullopt};
}

// K1 + ... + K150, whatever the party's number of candidates.
qint32 candidateSum(const AttachmentRecord &p1) {
    qint32 sum = 0;
    for (int i = 0; i < form::candidates; ++i)
        sum = add32(sum, integerValue(p1.candidates[i]));
    return sum;
}

QString partyHeading(const char *code, Wording wording) {
    return QString::fromLatin1(code) + (wording == Wording::MessageBox ? QStringLiteral("  Číslo pol. strany : ")
                                                                       : QStringLiteral("  Číslo pol. strany: "));
}

// KON as a party number 1..26, or 0 when it is no such number: imported or damaged data can hold
// anything there, and the protocol has no party field for it.
int partyNumber(const QString &kon) {
    bool ok = false;
    const int party = kon.toInt(&ok);
    return ok && party >= 1 && party <= form::partyFields ? party : 0;
}

} // namespace

CandidateTexts::CandidateTexts() = default;

template <typename Append> void CandidateTexts::fill(Append append) {
    for (int n = 1; n <= form::candidates; ++n) {
        append(n, m_texts);
        m_bounds[n] = int(m_texts.size());
    }
}

CandidateTexts::CandidateTexts(const QStringList &texts) {
    fill([&](int n, QString &to) {
        if (n <= texts.size())
            to += texts[n - 1];
    });
}

CandidateTexts::CandidateTexts(const Table &p1) {
    m_texts.reserve(form::candidates * 2);
    fill([&](int n, QString &to) { p1.appendText(schemas::P1_K1 + n - 1, to); });
}

AttachmentRecord attachmentRecord(const Table &p1) {
    AttachmentRecord record;
    record.obec = p1.text(QStringLiteral("OBEC"));
    record.okrsok = p1.text(QStringLiteral("OKRSOK"));
    record.kon = p1.text(QStringLiteral("KON"));
    record.vph = p1.text(schemas::P1_VPH);
    record.candidates = CandidateTexts(p1);
    return record;
}

std::vector<AttachmentRecord> attachmentRecords(Table &p1) {
    std::vector<AttachmentRecord> records;
    p1.first();
    for (int i = 0; i < p1.recordCount(); ++i) {
        records.push_back(attachmentRecord(p1));
        p1.next();
    }
    p1.first();
    return records;
}

std::optional<Finding> T13K03(const AttachmentRecord &p1, const std::optional<Municipality> &municipality) {
    if (!municipality)
        return std::nullopt; // K02's
    if (integerValue(municipality->pocoks) >= integerValue(p1.okrsok))
        return std::nullopt;
    return finding("K03", k03Message(p1.okrsok, municipality->pocoks));
}

std::optional<Finding> T13K14(const AttachmentRecord &p1, Wording wording) {
    const qint32 sum = candidateSum(p1);
    const qint32 fourTimes = mul32(4, integerValue(p1.vph));
    if (sum <= fourTimes)
        return std::nullopt;
    return finding("K14",
                   partyHeading("K14", wording) + p1.kon + QStringLiteral("  ") +
                       QStringLiteral("Štvornásobok počtu voličov, ktorí využili právo prednostného hlasu je menší "
                                      "ako súčet platných prednostných hlasov získaných všetkými kandidátmi na "
                                      "poslanca, ") +
                       QStringLiteral("   4 x využité predn. hlasy: ") + decimal(fourTimes) +
                       QStringLiteral(", súčet: ") + decimal(sum));
}

std::optional<Finding> T13K15(const AttachmentRecord &p1, Wording wording) {
    const qint32 sum = candidateSum(p1);
    const qint32 vph = integerValue(p1.vph);
    if (sum >= vph)
        return std::nullopt;
    return finding("K15",
                   partyHeading("K15", wording) + p1.kon + QStringLiteral("  ") +
                       QStringLiteral("Počet voličov, ktorí využili právo prednostného hlasu je väčší ako súčet "
                                      "platných prednostných hlasov získaných všetkými kandidátmi na poslanca,") +
                       QStringLiteral("   využité predn. hlasy: ") + decimal(vph) + QStringLiteral(", súčet: ") +
                       decimal(sum));
}

std::optional<Finding> T13K16(const AttachmentRecord &p1, int candidate) {
    if (candidate < 1 || candidate > form::candidates)
        return std::nullopt;
    const QStringView votes = p1.candidates[candidate - 1];
    if (integerValue(votes) <= integerValue(p1.vph))
        return std::nullopt;
    return finding("K16", QStringLiteral("K16  Číslo pol. strany: ") + p1.kon + QStringLiteral(" ") +
                              QStringLiteral("Počet voličov, ktorí využili právo prednostného hlasu je menší ako "
                                             "počet platných prednostných hlasov získaných ") +
                              QStringLiteral("kandidátom ") + decimal(candidate) + QStringLiteral(" na poslanca, ") +
                              QStringLiteral("využité prednostné hlasy: ") + votes.toString() +
                              QStringLiteral(", počet: ") + p1.vph);
}

std::optional<Finding> T13K17(const AttachmentRecord &p1, const ProtocolRecord &s1) {
    // KON "0" is the placeholder that the wipe leaves: no party yet, so nothing to compare.
    if (p1.kon == QStringLiteral("0"))
        return std::nullopt;
    const QString heading = QStringLiteral("K17  Číslo pol. strany: ") + p1.kon + QStringLiteral("  ");
    const int party = partyNumber(p1.kon);
    if (party == 0)
        return finding("K17", heading + QStringLiteral("Politická strana s týmto číslom neexistuje (platné sú čísla "
                                                       "1 až 26), preto sa jej platné hlasy nedajú porovnať s "
                                                       "počtom voličov, ktorí využili právo prednostného hlasu."));
    const qint32 partyVotes = integerValue(s1.partyVotes[party - 1]);
    const qint32 vph = integerValue(p1.vph);
    if (partyVotes >= vph)
        return std::nullopt;
    return finding("K17", heading +
                              QStringLiteral("Počet platných hlasov, ktoré získala politická strana je menší ako "
                                             "počet voličov, ktorí využili právo prednostného hlasu,") +
                              QStringLiteral(" platné hlasy: ") + decimal(partyVotes) +
                              QStringLiteral(", využité predn. hlasy: ") + decimal(vph));
}

std::optional<Finding> T13K18(const std::vector<AttachmentRecord> &attachments, const ProtocolRecord &s1) {
    qint32 sum = 0;
    for (const AttachmentRecord &p1 : attachments)
        sum = add32(sum, integerValue(p1.vph));
    if (sum <= integerValue(s1.pphs))
        return std::nullopt;
    return finding("K18", QStringLiteral("K18 Počet platných hlasov spolu je menší ako počet voličov, ktorí využili "
                                         "právo prednostného hlasu za všetky politické strany, platné hlasy spolu: ") +
                              s1.pphs + QStringLiteral(", využité predn. hlasy: ") + decimal(sum));
}
