// Buses: their values in the hand-made capture (AnnotationsFixture.h) in every radix, and the bus
// definitions a user types, accepted and refused.

#include "annotations/BusDefinition.h"
#include "resources/Message.h"
#include "tests/annotations/AnnotationsFixture.h"

#include <QtTest>

using namespace veldran;

namespace {

const test::AnnotationsFixture kFixture;
const SampleStore kStore = kFixture.Store();

Bus Byte(ERadix radix)
{
    Bus bus{"BYTE", {7, 6, 5, 4, 3, 2, 1, 0}, radix};
    return bus;
}

ChannelNames Names()
{
    ChannelNames names;
    names[2] = "clk";
    names[5] = "Data, low";
    names[9] = "클럭";
    return names;
}

std::variant<Bus, Message> Parse(const QString& text)
{
    return ParseBusDefinition(text.toStdString(), Names());
}

} // namespace

class BusTest : public QObject {
    Q_OBJECT

private slots:
    void byteInEveryRadix_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("unsignedText");
        QTest::addColumn<QString>("signedText");
        QTest::addColumn<QString>("ascii");
        QTest::addColumn<QString>("binary");
        QTest::newRow("letter") << 0 << "41" << "65" << "65" << "A" << "01000001";
        QTest::newRow("zero") << 1 << "00" << "0" << "0" << "." << "00000000";
        QTest::newRow("all ones") << 2 << "FF" << "255" << "-1" << "." << "11111111";
        QTest::newRow("largest positive") << 3 << "7F" << "127" << "127" << "." << "01111111";
        QTest::newRow("most negative") << 4 << "80" << "128" << "-128" << "." << "10000000";
        QTest::newRow("line feed") << 5 << "0A" << "10" << "10" << "." << "00001010";
        QTest::newRow("last printable") << 6 << "7E" << "126" << "126" << "~" << "01111110";
        QTest::newRow("blank") << 7 << "20" << "32" << "32" << " " << "00100000";
    }
    void byteInEveryRadix()
    {
        QFETCH(int, sample);
        const auto shown = [&](ERadix radix) {
            const Bus bus = Byte(radix);
            return QString::fromStdString(FormatBusValue(BusValue(bus, kStore, sample), bus.Width(), radix));
        };
        QFETCH(QString, hex);
        QCOMPARE(shown(ERadix::Hex), hex);
        QFETCH(QString, unsignedText);
        QCOMPARE(shown(ERadix::Unsigned), unsignedText);
        QFETCH(QString, signedText);
        QCOMPARE(shown(ERadix::Signed), signedText);
        QFETCH(QString, ascii);
        QCOMPARE(shown(ERadix::Ascii), ascii);
        QFETCH(QString, binary);
        QCOMPARE(shown(ERadix::Binary), binary);
    }

    void orderAndWidth()
    {
        // D0 first: the byte read backwards. 0x41 = 0100 0001 → 1000 0010.
        const Bus reversed{"R", {0, 1, 2, 3, 4, 5, 6, 7}, ERadix::Hex};
        QCOMPARE(BusValue(reversed, kStore, 0), uint64_t{0x82});
        // Twelve bits, D11..D0, at sample 0: D11..D8 are the complement of 0x41's low nibble → 0xE41.
        Bus twelve{"W", {}, ERadix::Hex};
        for (int channel = 11; channel >= 0; --channel)
            twelve.channels.push_back(channel);
        QCOMPARE(BusValue(twelve, kStore, 0), uint64_t{0xE41});
        QCOMPARE(FormatBusValue(0xE41, 12, ERadix::Hex), std::string("E41"));
        QCOMPARE(FormatBusValue(0x5, 5, ERadix::Hex), std::string("05"));
        QCOMPARE(FormatBusValue(0x5, 5, ERadix::Binary), std::string("00101"));
        QCOMPARE(FormatBusValue(0x10, 5, ERadix::Signed), std::string("-16"));
        QCOMPARE(FormatBusValue(0x1F, 5, ERadix::Signed), std::string("-1"));
        QCOMPARE(FormatBusValue(1, 1, ERadix::Signed), std::string("-1"));
        // The top byte of a 12-bit bus is its top four bits: 0x4 is not printable, 0x41 is 'A'.
        QCOMPARE(FormatBusValue(0x441, 12, ERadix::Ascii), std::string(".A"));
        QCOMPARE(FormatBusValue(0x4142, 16, ERadix::Ascii), std::string("AB"));
        QCOMPARE(FormatBusValue(0x800000000000, 48, ERadix::Signed), std::string("-140737488355328"));
        QCOMPARE(FormatBusValue(0xFFFFFFFFFFFF, 48, ERadix::Unsigned), std::string("281474976710655"));
        QCOMPARE(FormatBusValue(0xABCDEF012345, 48, ERadix::Hex), std::string("ABCDEF012345"));
    }

    void radixWords()
    {
        for (int radix = 0; radix <= static_cast<int>(ERadix::Binary); ++radix)
            QCOMPARE(ParseRadix(RadixName(static_cast<ERadix>(radix))), std::optional<ERadix>(static_cast<ERadix>(radix)));
        QVERIFY(!ParseRadix("decimal"));
    }

    void specsAccepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("channels");
        QTest::newRow("range down") << "DATA=D15..D8" << "DATA" << QList<int>{15, 14, 13, 12, 11, 10, 9, 8};
        QTest::newRow("range up") << "LOW = D0..D3" << "LOW" << QList<int>{0, 1, 2, 3};
        QTest::newRow("list with a user name") << "MIX=D3,D1,clk" << "MIX" << QList<int>{3, 1, 2};
        QTest::newRow("quoted name with a comma") << "Q=\"Data, low\",D0" << "Q" << QList<int>{5, 0};
        QTest::newRow("Korean names, range of names") << "버스=클럭..D7" << "버스" << QList<int>{9, 8, 7};
        QTest::newRow("one channel") << "ONE=d47" << "ONE" << QList<int>{47};
        QTest::newRow("range and list") << "X=D1..D0,D7..D6" << "X" << QList<int>{1, 0, 7, 6};
    }
    void specsAccepted()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QList<int>, channels);
        const auto parsed = Parse(text);
        const Bus* bus = std::get_if<Bus>(&parsed);
        if (!bus)
            QFAIL(SourceText(std::get<Message>(parsed)).c_str());
        QCOMPARE(QString::fromStdString(bus->strName), name);
        QCOMPARE(QList<int>(bus->channels.begin(), bus->channels.end()), channels);
        QCOMPARE(bus->eRadix, ERadix::Hex);
    }

    void specsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // the source text of the message
        QTest::newRow("no equals") << "D15..D8" << "버스 정의 \"D15..D8\"에 '='가 없습니다. 이름=채널 꼴로 써 주십시오 (예: DATA=D15..D8).";
        QTest::newRow("no name") << " =D1" << "버스 정의 \" =D1\"에 이름이 없습니다. '=' 앞에 버스 이름을 써 주십시오.";
        QTest::newRow("no channels") << "A= " << "버스 \"A\"에 채널이 없습니다. '=' 뒤에 채널을 하나 이상 써 주십시오.";
        QTest::newRow("empty item") << "A=D1,,D2" << "버스 정의에 빈 항목이 있습니다. 쉼표 사이마다 채널이나 범위를 하나씩 써 주십시오.";
        QTest::newRow("channel beyond 47") << "A=D48" << "버스 정의의 \"D48\": 알 수 없는 채널입니다.";
        QTest::newRow("unknown end of a range") << "A=D3..nope" << "버스 정의의 \"nope\": 알 수 없는 채널입니다.";
        QTest::newRow("unknown start of a range") << "A=..D3" << "버스 정의의 \"\": 알 수 없는 채널입니다.";
        QTest::newRow("channel twice") << "A=D3..D0,D2" << "버스 정의의 \"D2\": 채널 D2이(가) 버스에 두 번 들어갑니다.";
        QTest::newRow("overlapping ranges") << "A=D3..D0,D5..D2" << "버스 정의의 \"D5..D2\": 채널 D3이(가) 버스에 두 번 들어갑니다.";
    }
    void specsRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto parsed = Parse(text);
        QVERIFY(std::holds_alternative<Message>(parsed));
        QCOMPARE(QString::fromStdString(SourceText(std::get<Message>(parsed))), expected);
    }
};

QTEST_APPLESS_MAIN(BusTest)
#include "BusTest.moc"
