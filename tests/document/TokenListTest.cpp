// The compact token list: an indexed list of strings whose fresh empty entries cost nothing, read
// and changed as the reception, the reader and the writer use it.

#include "document/CaptureDocument.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace veldran;

namespace {

// The list as a plain vector, to compare against a reference built the ordinary way.
std::vector<std::string> Plain(const TokenList& list)
{
    std::vector<std::string> out;
    for (std::string_view token : list)
        out.emplace_back(token);
    return out;
}

} // namespace

class TokenListTest : public QObject {
    Q_OBJECT

private slots:
    void freshDocumentHoldsEmptyEntriesForNothing()
    {
        const CVELDRANDoc doc;
        const TokenList& list = doc.Tokens();
        QCOMPARE(list.size(), size_t(CVELDRANDoc::kFreshTokenCount));
        QCOMPARE(list.HeldBytes(), size_t(0));
        QVERIFY(list[0].empty());
        QVERIFY(list[CVELDRANDoc::kFreshTokenCount - 1].empty());
        QCOMPARE(list, TokenList(CVELDRANDoc::kFreshTokenCount));
    }

    // Each row: a sequence of edits, applied to the list and to a vector of strings alike.
    void editsMatchAVectorOfStrings_data()
    {
        QTest::addColumn<QString>("edits");
        QTest::newRow("appends") << "+STATE +LISTING +0000 +1111000011110000";
        QTest::newRow("append after fresh empty entries") << "r5 +STATE +X";
        QTest::newRow("cut inside the stored tokens, then append") << "+AA +BB +CC r1 +DD";
        QTest::newRow("grow with empties, cut into them, append") << "+AA r6 r3 +BB";
        QTest::newRow("empty tokens stored") << "+ + +A +";
        QTest::newRow("clear then append") << "+AA +BB c +CC";
        QTest::newRow("cut to nothing") << "+AA +BB r0";
    }

    void editsMatchAVectorOfStrings()
    {
        QFETCH(QString, edits);
        TokenList list;
        std::vector<std::string> reference;
        for (const QString& edit : edits.split(QLatin1Char(' '))) {
            const std::string argument = edit.mid(1).toStdString();
            switch (edit.at(0).toLatin1()) {
            case '+': list.push_back(argument); reference.push_back(argument); break;
            case 'r': list.resize(std::stoul(argument)); reference.resize(std::stoul(argument)); break;
            case 'c': list.clear(); reference.clear(); break;
            default: QFAIL("unknown edit");
            }
            QCOMPARE(list.size(), reference.size());
            QCOMPARE(Plain(list), reference);
        }
        QCOMPARE(list.empty(), reference.empty());
        if (!reference.empty()) {
            QCOMPARE(std::string(list.front()), reference.front());
            QCOMPARE(std::string(list.back()), reference.back());
        }
        // A copy compares equal, and one changed token makes it differ.
        TokenList copy = list;
        QVERIFY(copy == list);
        copy.push_back("extra");
        QVERIFY(copy != list);
    }

    void storedAndUnstoredEmptyEntriesAreEqual()
    {
        TokenList unstored(3);
        TokenList stored;
        for (int i = 0; i < 3; ++i)
            stored.push_back("");
        QVERIFY(unstored == stored);
        QVERIFY(stored == unstored);
        stored.push_back("A");
        unstored.push_back("A");
        QVERIFY(unstored == stored);
        unstored.resize(5);
        QVERIFY(unstored != stored);
    }

    void assignFillsAndReplaces()
    {
        TokenList list{"A", "B"};
        list.assign(4, "0000");
        QCOMPARE(Plain(list), std::vector<std::string>(4, "0000"));
        list.assign({"X", "", "YZ"});
        QCOMPARE(Plain(list), (std::vector<std::string>{"X", "", "YZ"}));
        list.assign(2, "");
        QCOMPARE(Plain(list), std::vector<std::string>(2));
    }

    // A listing's tokens are held in two blocks: far less than a string object per token.
    void heldBytesFollowTheTokens()
    {
        TokenList list;
        for (int i = 0; i < 100000; ++i)
            list.push_back("0101010101010101");
        list.shrink_to_fit();
        QCOMPARE(list.HeldBytes(), size_t(100000) * (16 + sizeof(uint32_t)));
        QCOMPARE(list[99999], std::string_view("0101010101010101"));
    }
};

QTEST_APPLESS_MAIN(TokenListTest)
#include "TokenListTest.moc"
