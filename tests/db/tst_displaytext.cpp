#include "db/displaytext.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Sorven::DB;

class TestDisplayText : public QObject
{
    Q_OBJECT

private slots:
    // Whatever the text names, the result names no resource: nothing to load.
    void richTextKeepsFormattingOnly_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("inert");
        const QString image = QDir::temp().filePath(QStringLiteral("local.png"));
        QTest::newRow("plain") << "Colour & home"
                               << "Colour &amp; home";
        QTest::newRow("inline formatting") << "<b>b</b><i>i</i><u>u</u><s>s</s><sub>2</sub>"
                                           << "<b>b</b><i>i</i><u>u</u><s>s</s><sub>2</sub>";
        QTest::newRow("colour") << "<font color=\"#ff8000\">hot</font>"
                                << "<span style=\"color:#ff8000;\">hot</span>";
        QTest::newRow("local image") << QStringLiteral("a<img src=\"%1\">b").arg(image) << "ab";
        QTest::newRow("file URL image")
            << QStringLiteral("<img src=\"file://%1\" width=\"99\">x").arg(image) << "x";
        QTest::newRow("remote image") << "<img src=\"http://example.com/t.png\">x"
                                      << "x";
        QTest::newRow("style sheet link")
            << QStringLiteral("<head><link rel=\"stylesheet\" href=\"%1\"></head>x").arg(image)
            << "x";
        QTest::newRow("style import")
            << QStringLiteral("<style>@import url(%1); b { color: red }</style>x").arg(image)
            << "x";
        QTest::newRow("background image")
            << QStringLiteral("<table background=\"%1\"><tr><td>x</td></tr></table>").arg(image)
            << "x";
        QTest::newRow("link") << "<a href=\"file:///etc/passwd\">here</a>"
                              << "here";
        QTest::newRow("line break") << "one<br>two"
                                    << "one<br/>two";
    }

    void richTextKeepsFormattingOnly()
    {
        QFETCH(QString, html);
        QFETCH(QString, inert);
        QCOMPARE(inertRichText(html), inert);
    }

    void displayTextIsPlainOrInertRichText()
    {
        QCOMPARE(inertDisplayText(QStringLiteral("Fish & <chips>")),
                 QStringLiteral("Fish & <chips>"));
        QCOMPARE(inertDisplayText(QStringLiteral("<img src=\"/x.png\">a &amp; <b>b</b>")),
                 QStringLiteral("<qt>a &amp; <b>b</b></qt>"));
    }

    void longTextsAreBounded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::newRow("short") << QString(12, u'x') << 12;
        QTest::newRow("at the limit")
            << QString(MaximumDisplayTextLength, u'x') << int(MaximumDisplayTextLength);
        QTest::newRow("a megabyte") << QString(1 << 20, u'x') << int(MaximumDisplayTextLength);
        QTest::newRow("surrogate pair at the cut") << QString(MaximumDisplayTextLength - 1, u'x')
                + QStringLiteral("🎨🎨") << int(MaximumDisplayTextLength - 1);
    }

    void longTextsAreBounded()
    {
        QFETCH(QString, text);
        QFETCH(int, length);
        const QString bounded = boundedDisplayText(text);
        QCOMPARE(bounded.size(), length);
        QVERIFY(text.startsWith(bounded));
    }
};

QTEST_MAIN(TestDisplayText)
#include "tst_displaytext.moc"
