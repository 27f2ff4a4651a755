// The silent handler keeps boxes from the handler it replaces, hands each to its callback, and gives
// the previous handler back when it goes.

#include "i18n/MessageText.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/SilentMessages.h"

#include <QTest>

using namespace veldran;

class SilentMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void boxesGoNowhereWhileItLives()
    {
        test::MessageRecorder outer;
        {
            const test::SilentMessages silent;
            QCOMPARE(GetUserMessageHandler(), static_cast<const UserMessageHandler*>(&silent));
            ShowAppMessage("kept quiet");
        }
        QVERIFY(outer.messages.empty());
        QCOMPARE(GetUserMessageHandler(), static_cast<UserMessageHandler*>(&outer));
        ShowAppMessage("after");
        QCOMPARE(outer.Last(), std::string("after"));
    }

    void eachBoxReachesTheCallback()
    {
        std::vector<UserMessage> seen;
        const test::SilentMessages silent([&seen](const UserMessage& message) { seen.push_back(message); });
        Message first("first", {}, MessageIcon::Stop);
        first.caption = "caption";
        ShowMessage(first);
        ShowWindowMessage("second");
        QCOMPARE(seen.size(), size_t(2));
        QCOMPARE(seen[0].text, std::string("first"));
        QCOMPARE(seen[0].caption, std::string("caption"));
        QCOMPARE(int(seen[0].icon), int(MessageIcon::Stop));
        QCOMPARE(seen[1].text, std::string("second"));
    }
};

QTEST_APPLESS_MAIN(SilentMessagesTest)
#include "SilentMessagesTest.moc"
