// The transfer dialog's bar draws each position once and copies it afterwards: what it shows
// must be exactly what the style draws, in every state, and follow every change of its look.

#include "controls/CachedProgressBar.h"

#include <QApplication>
#include <QProgressBar>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <array>

using namespace veldran;

class CachedProgressBarTest : public QObject {
    Q_OBJECT

private:
    // The picture of a bar as the screen gets it.
    static QImage Shown(QProgressBar& bar) { return bar.grab().toImage(); }

    // A styled bar and a kept-picture bar with the same settings, side by side.
    struct Pair {
        QWidget window;
        QProgressBar* plain = new QProgressBar(&window);
        CachedProgressBar* kept = new CachedProgressBar(&window);
        Pair()
        {
            for (QProgressBar* bar : Both()) {
                bar->setTextVisible(false);
                bar->setRange(0, 100);
                bar->resize(450, 22);
            }
            kept->move(0, 30);
            window.resize(460, 60);
            window.show();
        }
        [[nodiscard]] std::array<QProgressBar*, 2> Both() const { return {plain, kept}; }
        void SetValue(int value)
        {
            plain->setValue(value);
            kept->setValue(value);
        }
    };

private slots:
    void samePixelsAsTheStyle_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("textVisible");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("the dialog's bar") << true << false << false;
        QTest::newRow("disabled") << false << false << false;
        QTest::newRow("with its text") << true << true << false;
        QTest::newRow("inverted") << true << false << true;
    }

    // Every position, twice round as a reception cycles it: the second round comes from the kept
    // pictures and must not differ from the first or from the style.
    void samePixelsAsTheStyle()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, textVisible);
        QFETCH(bool, inverted);
        Pair pair;
        for (QProgressBar* bar : pair.Both()) {
            bar->setEnabled(enabled);
            bar->setTextVisible(textVisible);
            bar->setInvertedAppearance(inverted);
        }
        for (int round = 0; round < 2; ++round) {
            for (int value = 0; value <= 100; value += 10) {
                pair.SetValue(value);
                QCOMPARE(Shown(*pair.kept), Shown(*pair.plain));
            }
        }
        // One picture per position, drawn once.
        QCOMPARE(pair.kept->KeptPictures(), 11);
    }

    // A new palette, size, range or style: the bar shows the new look, not a kept picture.
    void followsEveryChangeOfItsLook()
    {
        Pair pair;
        pair.SetValue(40);
        const QImage before = Shown(*pair.kept);
        QCOMPARE(before, Shown(*pair.plain));

        QPalette red = pair.plain->palette();
        red.setColor(QPalette::Highlight, Qt::red);
        pair.plain->setPalette(red);
        pair.kept->setPalette(red);
        QVERIFY(Shown(*pair.kept) != before);
        QCOMPARE(Shown(*pair.kept), Shown(*pair.plain));

        for (QProgressBar* bar : pair.Both())
            bar->resize(300, 18);
        QCOMPARE(Shown(*pair.kept), Shown(*pair.plain));

        for (QProgressBar* bar : pair.Both())
            bar->setRange(0, 80);
        QCOMPARE(Shown(*pair.kept), Shown(*pair.plain));

        QStyle* windows = QStyleFactory::create(QStringLiteral("Windows"));
        QVERIFY(windows);
        windows->setParent(&pair.window); // goes after the bars, which were its children first
        for (QProgressBar* bar : pair.Both())
            bar->setStyle(windows);
        QCOMPARE(Shown(*pair.kept), Shown(*pair.plain));
    }

    // A bar without a range is the style's animation: never a kept picture.
    void busyBarIsDrawnAfresh()
    {
        Pair pair;
        for (QProgressBar* bar : pair.Both())
            bar->setRange(0, 0);
        (void)Shown(*pair.kept);
        QCOMPARE(pair.kept->KeptPictures(), 0);
    }
};

QTEST_MAIN(CachedProgressBarTest)
#include "CachedProgressBarTest.moc"
