// volby-centrum overit and suhrn end to end: archives written by the district program's export (and
// one by Info-ZIP), summed and compared with sums the test computes from the figures it keyed in; every
// kind of bad archive refused alone; the same district twice; the districts of OBCE06 without an archive;
// a folder that cannot be read.
#include "centrefixture.h"

#include "exchange/archive.h"
#include "exchange/exchangelines.h"
#include "exchange/password.h"
#include "exchange/tkc.h"
#include "store/codec.h"
#include "support/recordline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace centre_fixture;
using namespace Qt::StringLiterals;

namespace {

// Sums of the figures keyed in, computed here without the program.
struct Expected {
    std::map<int, qint64> votes, vph, preferential;
    std::map<std::pair<int, int>, qint64> candidates; // (party, candidate)
    void add(const DistrictPlan &plan) {
        for (const auto &[party, v] : plan.votes)
            votes[party] += v;
        for (const auto &[party, attachment] : plan.preferences) {
            vph[party] += attachment.vph;
            for (const auto &[n, v] : attachment.candidates) {
                preferential[party] += v;
                candidates[{party, n}] += v;
            }
        }
    }
};

qint64 at(const std::map<int, qint64> &map, int key) {
    const auto found = map.find(key);
    return found == map.end() ? 0 : found->second;
}

// The polling districts of the code list, counted from its source text.
int districtsInCodeList() {
    QFile file(QStringLiteral(VOLBY_SOURCE_DIR "/installation/OBCE06.TXT"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    int sum = 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            sum += line.split('|').value(6).toInt();
    return sum;
}

QJsonObject readJson(const QString &path) {
    return QJsonDocument::fromJson(fileBytes(path)).object();
}

QList<QJsonObject> rowsWhere(const QJsonArray &rows, const QString &key, const QString &value) {
    QList<QJsonObject> found;
    for (const QJsonValue &row : rows)
        if (row[key].toString() == value)
            found.append(row.toObject());
    return found;
}

// The line of an exchange file with one value replaced and its TKC made to fit again.
QByteArray withValue(const QByteArray &line, int index, const QByteArray &value) {
    QStringList texts;
    for (const QByteArrayView v : exchange::cutRecordLine(line))
        texts.append(cp1250::decode(v.toByteArray()));
    texts[index] = cp1250::decode(value);
    return recordLine(texts);
}

// Takes the override of file permissions from this thread for its life, as an administrator running the
// tests would otherwise read any folder.
class WithoutReadOverride {
public:
    WithoutReadOverride() {
        if (::geteuid() != 0)
            return;
        m_active = ::syscall(SYS_capget, &m_header, m_saved) == 0;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = m_active && ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutReadOverride() {
        if (m_active)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    bool ok() const { return ::geteuid() != 0 || m_active; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

} // namespace

class TestCentreSummary : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sumsOfExportedDistricts_data();
    void sumsOfExportedDistricts();
    void badArchives_data();
    void badArchives();
    void districtWithErrors();
    void sameDistrictTwice();
    void foldersThatCannotBeRead_data();
    void foldersThatCannotBeRead();

private:
    QString folder(const QString &name) const {
        const QString path = QDir(m_dir->path()).filePath(name);
        QDir().mkpath(path);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Exporter> m_exporter;
};

void TestCentreSummary::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_exporter = std::make_unique<Exporter>();
    QVERIFY(m_dir->isValid());
    QVERIFY(m_exporter->isValid());
}

void TestCentreSummary::cleanup() {
    m_exporter.reset();
    m_dir.reset();
}

void TestCentreSummary::sumsOfExportedDistricts_data() {
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("two threads") << 2;
}

void TestCentreSummary::sumsOfExportedDistricts() {
    QFETCH(int, threads);
    const QString archives = folder(u"prijate"_s);
    const QList<DistrictPlan> plans{cleanSpec(u"101"_s, u"500011"_s, 1, 1), cleanSpec(u"101"_s, u"500011"_s, 3, 2),
                                    cleanSpec(u"101"_s, u"500023"_s, 1, 3), cleanSpec(u"102"_s, u"500932"_s, 2, 4)};
    Expected expected;
    for (const DistrictPlan &plan : plans) {
        QVERIFY(!m_exporter->exportClean(plan, archives).isEmpty());
        expected.add(plan);
    }
    // One more packed by Info-ZIP with the password, in a folder below, its member names in lower case.
    const DistrictPlan zipped = cleanSpec(u"102"_s, u"500932"_s, 1, 5);
    fill(m_exporter->setup().district(), zipped);
    expected.add(zipped);
    const QString below = folder(u"prijate/posta"_s);
    QVERIFY(writeBytes(QDir(below).filePath(u"s500932.1"_s), exchange::sFileContent(m_exporter->setup().s1())));
    QVERIFY(writeBytes(QDir(below).filePath(u"p500932.1"_s), exchange::pFileContent(m_exporter->setup().p1())));
    QCOMPARE(runTool(below, u"zip"_s,
                     {u"-q"_s, u"-m"_s, u"-P"_s, heslo_zip(), u"VQ500932.1"_s, u"s500932.1"_s, u"p500932.1"_s}),
             0);

    const QString output = folder(u"vystup"_s);
    const Run result = run({u"suhrn"_s, archives, u"--vystup"_s, output}, threads);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    for (const QString &name : {u"VQ500011.1"_s, u"VQ500011.3"_s, u"VQ500023.1"_s, u"VQ500932.2"_s, u"VQ500932.1"_s})
        QVERIFY2(result.lineOf(name).endsWith(u"  OK"_s), qPrintable(result.out));
    QCOMPARE(result.lineOf(u"VQ500932.1"_s),
             QDir(below).filePath(u"VQ500932.1"_s) + u"  obvod 102, obec 500932 (Klevlukovce), okrsok 1  OK"_s);
    QVERIFY(result.out.contains(u"Archívov: 5, bez chýb: 5, s chybami: 0, odmietnutých: 0"_s));

    const QJsonObject json = readJson(QDir(output).filePath(u"suhrn.json"_s));
    const QJsonArray parties = json[u"strany"_s].toArray();
    const QList<QJsonObject> total = rowsWhere(parties, u"UROVEN"_s, u"spolu"_s);
    QCOMPARE(total.size(), 21);
    for (const QJsonObject &row : total) {
        const int party = row[u"KON"_s].toInt();
        QCOMPARE(row[u"OKRSKOV"_s].toInt(), 5);
        QCOMPARE(row[u"PLATNE_HLASY"_s].toInteger(), at(expected.votes, party));
        QCOMPARE(row[u"VPH"_s].toInteger(), at(expected.vph, party));
        QCOMPARE(row[u"PREDNOSTNE_HLASY"_s].toInteger(), at(expected.preferential, party));
    }
    // Electoral district 102 holds the last two districts alone.
    Expected only102;
    only102.add(plans[3]);
    only102.add(zipped);
    for (const QJsonObject &row : rowsWhere(parties, u"OBVOD"_s, u"102"_s)) {
        if (row[u"UROVEN"_s].toString() == u"obvod"_s)
            QCOMPARE(row[u"PLATNE_HLASY"_s].toInteger(), at(only102.votes, row[u"KON"_s].toInt()));
    }
    QCOMPARE(rowsWhere(parties, u"UROVEN"_s, u"obec"_s).size(), 3 * 21);

    int candidateRows = 0;
    for (const QJsonObject &row : rowsWhere(json[u"kandidati"_s].toArray(), u"UROVEN"_s, u"spolu"_s)) {
        const std::pair<int, int> key{row[u"KON"_s].toInt(), row[u"PORADIE"_s].toInt()};
        const auto found = expected.candidates.find(key);
        QCOMPARE(row[u"PREDNOSTNE_HLASY"_s].toInteger(), found == expected.candidates.end() ? 0 : found->second);
        candidateRows += found != expected.candidates.end() && found->second != 0;
    }
    QCOMPARE(candidateRows, int(std::count_if(expected.candidates.begin(), expected.candidates.end(),
                                              [](const auto &c) { return c.second != 0; })));

    // Every district of the code list is a row: the five counted with their figures, the rest missing.
    const QJsonArray districts = json[u"okrsky"_s].toArray();
    QCOMPARE(districts.size(), districtsInCodeList());
    QCOMPARE(rowsWhere(districts, u"STAV"_s, u"CHÝBA"_s).size(), districtsInCodeList() - 5);
    for (const QJsonObject &row : rowsWhere(districts, u"STAV"_s, u"OK"_s)) {
        const auto plan = std::find_if(plans.begin(), plans.end(), [&](const DistrictPlan &s) {
            return s.obec == row[u"OBEC"_s].toString() && QString::number(s.okrsok) == row[u"OKRSOK"_s].toString();
        });
        const DistrictPlan &s = plan == plans.end() ? zipped : *plan;
        QCOMPARE(row[u"PPHPS7"_s].toInt(), s.votes.at(7));
        QCOMPARE(row[u"VPH21"_s].toInt(), s.preferences.at(21).vph);
        Expected one;
        one.add(s);
        QCOMPARE(row[u"PREDNOSTNE3"_s].toInteger(), at(one.preferential, 3));
    }
    const QList<QJsonObject> missing = rowsWhere(districts, u"OBEC"_s, u"500011"_s);
    QCOMPARE(missing.size(), 30); // its POCOKS
    QCOMPARE(missing[1][u"STAV"_s].toString(), u"CHÝBA"_s);
    QVERIFY(missing[1][u"PPHPS1"_s].isNull());

    // The CSV files say the same as the JSON file.
    const QList<QByteArray> csv = fileBytes(QDir(output).filePath(u"strany.csv"_s)).split('\n');
    QCOMPARE(csv.first(), "UROVEN,OBVOD,OBEC,NAZOV_OBCE,OKRSKOV,KON,NAZOV_STRANY,PLATNE_HLASY,VPH,PREDNOSTNE_HLASY");
    QCOMPARE(csv.size() - 2, parties.size()); // the header and the empty piece after the last line end
    QVERIFY(csv[3].startsWith("spolu,,,,5,3,\"Únia pltníkov, včelárov a ovocinárov\","));
    QCOMPARE(fileBytes(QDir(output).filePath(u"okrsky.csv"_s)).count('\n'), districts.size() + 1);

    // The summary on paper: the totals, and the districts without an archive by municipality.
    QByteArray pdf;
    QCOMPARE(runTool(output, u"pdftotext"_s, {u"-layout"_s, u"suhrn.pdf"_s, u"-"_s}, &pdf), 0);
    const QString text = QString::fromUtf8(pdf).simplified();
    QVERIFY(text.contains(u"SÚHRN VÝSLEDKOV HLASOVANIA"_s));
    QVERIFY(text.contains(u"101 500011 Vyšný Škychomec 2, 4–30"_s));
    // Party 7's name breaks after its dash; its votes stand beside the first line.
    QVERIFY(text.contains(u" 7 Ľudové fórum pastierov - %1 "_s.arg(at(expected.votes, 7))));
}

void TestCentreSummary::badArchives_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // a regular expression of the archive's line after "CHYBA"
    QTest::newRow("not a ZIP archive") << "text"
                                       << "súbor nie je archív ZIP";
    QTest::newRow("damaged") << "damaged"
                             << "archív je poškodený alebo neúplný";
    QTest::newRow("truncated") << "truncated"
                               << "archív je poškodený alebo neúplný";
    // The traditional encryption tells a wrong password by one byte: about one archive in 256 passes
    // that test and fails the CRC instead.
    QTest::newRow("another password") << "password"
                                      << "archív je zašifrovaný iným heslom|archív je poškodený alebo neúplný";
    QTest::newRow("not encrypted") << "clear"
                                   << "archív obsahuje nezašifrovaný súbor";
    QTest::newRow("P file missing") << "noP"
                                    << "v archíve nie je súbor p500011\\.2";
    QTest::newRow("bad TKC") << "tkc"
                             << "p500011\\.2: Rekord 2 je poškodený! \\(TKC najdene: \\d+, TKC vypocitane: \\d+\\)";
    QTest::newRow("value that is no number") << "number"
                                             << "'1x' nie je platná celočíselná hodnota";
    // The import compares the P file's name with the protocol, not its lines; the sum must not take them.
    QTest::newRow("attachment of another district") << "foreign"
                                                    << "príloha č\\. 1 \\(strana 1\\) je z iného okrsku: 101/500011/1";
}

void TestCentreSummary::badArchives() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString archives = folder(u"prijate"_s);
    const QString scratch = folder(u"pracovny"_s);
    QVERIFY(!m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 1, 1), archives).isEmpty());
    const QString good = m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 2, 2), scratch);
    QVERIFY(!good.isEmpty());
    const QByteArray s = exchange::sFileContent(m_exporter->setup().s1());
    const QByteArray p = exchange::pFileContent(m_exporter->setup().p1());
    const QList<QByteArray> pLines = exchange::textLines(p);
    QByteArray zip = fileBytes(good);
    const QString bad = QDir(archives).filePath(u"VQ500011.2"_s);
    const auto pack = [&](const QList<archive::Member> &members) {
        return writeBytes(bad, archive::pack(members, heslo_zip()));
    };
    const auto infoZip = [&](const QStringList &password) {
        return writeBytes(QDir(scratch).filePath(u"S500011.2"_s), s) &&
               writeBytes(QDir(scratch).filePath(u"P500011.2"_s), p) &&
               runTool(scratch, u"zip"_s,
                       QStringList{u"-q"_s} + password + QStringList{bad, u"S500011.2"_s, u"P500011.2"_s}) == 0;
    };

    if (kind == u"text"_s) {
        QVERIFY(writeBytes(bad, s));
    } else if (kind == u"damaged"_s) {
        for (qsizetype i = 60; i < 120; ++i)
            zip[i] = char(zip[i] ^ 0x5a);
        QVERIFY(writeBytes(bad, zip));
    } else if (kind == u"truncated"_s) {
        QVERIFY(writeBytes(bad, zip.left(zip.size() / 2)));
    } else if (kind == u"password"_s) {
        QVERIFY(infoZip({u"-P"_s, u"Ina1234567890"_s}));
    } else if (kind == u"clear"_s) {
        QVERIFY(infoZip({}));
    } else if (kind == u"noP"_s) {
        QVERIFY(pack({{u"S500011.2"_s, s}}));
    } else if (kind == u"tkc"_s) {
        QByteArray line = pLines[1];
        line[line.size() - 2] = line[line.size() - 2] == '1' ? '2' : '1'; // the TKC's last digit
        QVERIFY(pack({{u"S500011.2"_s, s}, {u"P500011.2"_s, pLines[0] + "\r\n" + line + "\r\n" + pLines[2] + "\r\n"}}));
    } else if (kind == u"number"_s) {
        // A candidate's votes that are no number, under a TKC that fits: the line check passes it.
        const QByteArray line = withValue(pLines[0], schemas::P1_K1 + 4, "1x");
        QVERIFY(exchange::cutRecordLine(line).size() == exchange::P_VALUES);
        QVERIFY(pack({{u"S500011.2"_s, s}, {u"P500011.2"_s, line + "\r\n" + pLines.mid(1).join("\r\n") + "\r\n"}}));
    } else if (kind == u"foreign"_s) {
        // The S file of district 2 with the P file of district 1 under district 2's name.
        QVERIFY(!m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 1, 1), scratch).isEmpty());
        QVERIFY(pack({{u"S500011.2"_s, s}, {u"P500011.2"_s, exchange::pFileContent(m_exporter->setup().p1())}}));
    }

    const Run result = run({u"overit"_s, archives});
    QCOMPARE(result.code, 1);
    QVERIFY(result.lineOf(u"VQ500011.1"_s).endsWith(u"  OK"_s));
    const QRegularExpression line(
        u"^\\S+/VQ500011\\.2  (obvod 101, obec 500011 \\(Vyšný Škychomec\\), okrsok 2  )?CHYBA  (%1)$"_s.arg(reason));
    QVERIFY2(line.match(result.lineOf(u"VQ500011.2"_s)).hasMatch(), qPrintable(result.out));
    QVERIFY(result.out.contains(u"Archívov: 2, bez chýb: 1, s chybami: 0, odmietnutých: 1,"_s));
}

void TestCentreSummary::districtWithErrors() {
    const QString archives = folder(u"prijate"_s);
    DistrictPlan plan = cleanSpec(u"101"_s, u"500011"_s, 4, 1);
    plan.registered = 800;                  // fewer registered voters than voters who took part: K04
    plan.preferences[7].candidates[2] = 99; // more than the attachment's VPH: K16
    QVERIFY(!m_exporter->exportAsItIs(plan, archives).isEmpty());
    // The findings are the district program's error protocols, line by line.
    QStringList protocols;
    for (const Memo *memo : {&m_exporter->setup().district().Protokol1(), &m_exporter->setup().district().Protokol2()})
        for (const QString &text : memo->lines)
            if (!text.trimmed().isEmpty() && text.trimmed() != u"BEZ CHÝB"_s)
                protocols.append(u"    "_s + text);
    QVERIFY(protocols.size() >= 2);
    QVERIFY(protocols.join(u'\n').contains(u"K04"_s));
    QVERIFY(protocols.join(u'\n').contains(u"K16"_s));

    const QString output = folder(u"vystup"_s);
    const Run result = run({u"suhrn"_s, archives, u"--vystup"_s, output});
    QCOMPARE(result.code, 1);
    QStringList lines = result.lines();
    QVERIFY(lines.first().endsWith(u"VQ500011.4  obvod 101, obec 500011 (Vyšný Škychomec), okrsok 4  CHYBA"_s));
    QCOMPARE(lines.mid(1, protocols.size()), protocols);
    const QJsonObject json = readJson(QDir(output).filePath(u"suhrn.json"_s));
    const QJsonObject row = rowsWhere(json[u"okrsky"_s].toArray(), u"OKRSOK"_s, u"4"_s).first();
    QCOMPARE(row[u"STAV"_s].toString(), u"CHYBA"_s);
    QVERIFY(row[u"POZNAMKA"_s].toString().startsWith(u"chyby: K04"_s));
    QCOMPARE(rowsWhere(json[u"strany"_s].toArray(), u"UROVEN"_s, u"spolu"_s).first()[u"OKRSKOV"_s].toInt(), 0);
}

void TestCentreSummary::sameDistrictTwice() {
    const QString archives = folder(u"prijate"_s);
    const QString first = folder(u"prijate/a"_s);
    const QString second = folder(u"prijate/b"_s);
    const DistrictPlan counted = cleanSpec(u"101"_s, u"500011"_s, 1, 1);
    QVERIFY(!m_exporter->exportClean(counted, first).isEmpty());
    QVERIFY(QFile::copy(QDir(first).filePath(u"VQ500011.1"_s), QDir(second).filePath(u"VQ500011.1"_s)));
    QVERIFY(!m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 3, 2), first).isEmpty());
    QVERIFY(!m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 3, 3), second).isEmpty());

    const QString output = folder(u"vystup"_s);
    const Run result = run({u"suhrn"_s, archives, u"--vystup"_s, output});
    QCOMPARE(result.code, 1);
    const QString prefix = u"obvod 101, obec 500011 (Vyšný Škychomec), okrsok 1  OK"_s;
    QCOMPARE(result.lineOf(u"a/VQ500011.1"_s), QDir(first).filePath(u"VQ500011.1"_s) + u"  "_s + prefix);
    QCOMPARE(result.lineOf(u"b/VQ500011.1"_s), QDir(second).filePath(u"VQ500011.1"_s) + u"  "_s + prefix +
                                                   u"  rovnaký obsah ako "_s + QDir(first).filePath(u"VQ500011.1"_s) +
                                                   u", započítaný raz"_s);
    QCOMPARE(result.lineOf(u"a/VQ500011.3"_s), QDir(first).filePath(u"VQ500011.3"_s) +
                                                   u"  CHYBA  ten istý okrsok s iným obsahom je aj v "_s +
                                                   QDir(second).filePath(u"VQ500011.3"_s));
    QVERIFY(result.lineOf(u"b/VQ500011.3"_s).contains(u"CHYBA  ten istý okrsok s iným obsahom je aj v "_s));
    QVERIFY(result.out.contains(
        u"Archívov: 4, bez chýb: 1, s chybami: 0, odmietnutých: 0, rovnakých kópií: 1, v rozpore: 2"_s));

    // Only the one district counts, once.
    Expected expected;
    expected.add(counted);
    const QJsonObject json = readJson(QDir(output).filePath(u"suhrn.json"_s));
    for (const QJsonObject &row : rowsWhere(json[u"strany"_s].toArray(), u"UROVEN"_s, u"spolu"_s))
        QCOMPARE(row[u"PLATNE_HLASY"_s].toInteger(), at(expected.votes, row[u"KON"_s].toInt()));
    const QList<QJsonObject> rows = rowsWhere(json[u"okrsky"_s].toArray(), u"OBEC"_s, u"500011"_s);
    QCOMPARE(rows[0][u"STAV"_s].toString(), u"OK"_s);
    QVERIFY(rows[0][u"POZNAMKA"_s].toString().startsWith(u"rovnaký obsah aj v "_s));
    QCOMPARE(rows[2][u"STAV"_s].toString(), u"ROZPOR"_s);
    QVERIFY(rows[2][u"PPHPS1"_s].isNull());
}

void TestCentreSummary::foldersThatCannotBeRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder without permission") << "closed"
                                               << "Priečinok %1 sa nedá čítať: ";
    QTest::newRow("path that does not exist") << "missing"
                                              << "Súbor ani priečinok %1 neexistuje.";
}

void TestCentreSummary::foldersThatCannotBeRead() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    const QString archives = folder(u"prijate"_s);
    QVERIFY(!m_exporter->exportClean(cleanSpec(u"101"_s, u"500011"_s, 1, 1), archives).isEmpty());
    const QString named = QDir(archives).filePath(u"obvod102"_s);
    QStringList arguments{u"overit"_s, archives};
    if (kind == u"closed"_s) {
        QVERIFY(QDir().mkpath(named));
        QCOMPARE(::chmod(QFile::encodeName(named).constData(), 0), 0);
    } else {
        arguments.append(named);
    }
    Run result;
    {
        const WithoutReadOverride reader;
        QVERIFY(reader.ok());
        result = run(arguments);
    }
    ::chmod(QFile::encodeName(named).constData(), 0700);
    QCOMPARE(result.code, 1);
    QCOMPARE(result.out, QString()); // not one archive verified
    QVERIFY2(result.err.startsWith(message.arg(named)), qPrintable(result.err));
}

QTEST_MAIN(TestCentreSummary)
#include "test_centre_summary.moc"
