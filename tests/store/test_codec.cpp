#include "store/codec.h"

#include <QProcess>
#include <QTest>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteAgreesWithIconv();
    void encodeRoundTripsEveryDefinedByte();
    void charactersOutsideTheCodePageBecomeQuestionMarks();
    void slovakLetters();
};

namespace {

// What iconv makes of one byte, or a null string where iconv rejects it.
QString iconvDecode(unsigned char byte) {
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"),
                {QStringLiteral("-f"), QStringLiteral("CP1250"), QStringLiteral("-t"), QStringLiteral("UTF-8")});
    iconv.write(QByteArray(1, char(byte)));
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    if (iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0)
        return QString();
    return QString::fromUtf8(iconv.readAllStandardOutput());
}

} // namespace

void TestCodec::everyByteAgreesWithIconv() {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const QString expected = iconvDecode(static_cast<unsigned char>(b));
        const QString decoded = cp1250::decode(QByteArray(1, char(b)));
        QCOMPARE(decoded.size(), 1);
        if (expected.isNull()) {
            // Undefined in the code page: decoded as the replacement character and reported as such.
            ++undefined;
            QCOMPARE(decoded[0].unicode(), char16_t(0xFFFD));
            QVERIFY(!cp1250::isDefined(static_cast<unsigned char>(b)));
        } else {
            QCOMPARE(decoded, expected);
            QVERIFY(cp1250::isDefined(static_cast<unsigned char>(b)));
        }
    }
    QCOMPARE(undefined, 5);
}

void TestCodec::encodeRoundTripsEveryDefinedByte() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (cp1250::isDefined(static_cast<unsigned char>(b)))
            all.append(char(b));
    QCOMPARE(cp1250::encode(cp1250::decode(all)), all);
}

void TestCodec::charactersOutsideTheCodePageBecomeQuestionMarks() {
    // Never the dBase end-of-file mark 0x1A, never an undefined byte.
    QCOMPARE(cp1250::encode(QStringLiteral("a\u03A9b\u4E2D\uFFFD")), QByteArray("a?b??"));
    QCOMPARE(cp1250::encode(QString::fromUtf8("\xF0\x9F\x98\x80")), QByteArray("?")); // one character, two halves
}

void TestCodec::slovakLetters() {
    const QString text = QStringLiteral("Ľubovňa Žltá Ďumbier Ťahanovce ôäéíóúýčšžľĺŕň");
    const QByteArray bytes = cp1250::encode(text);
    QCOMPARE(bytes.size(), text.size());
    QCOMPARE(static_cast<unsigned char>(bytes[0]), 0xBC); // Ľ
    QCOMPARE(cp1250::decode(bytes), text);
}

QTEST_GUILESS_MAIN(TestCodec)
#include "test_codec.moc"
