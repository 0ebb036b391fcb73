#include "core/settingsinifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

// Our INI text against QSettings' own: a file either one writes reads back the same through
// the other, so that settings written before and after the change stay readable by both.
class TestSettingsIniFile : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithQSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("palette cell")
            << "MyPalette/(0,5).Entry" << QVariant("ItemIndex({5e4d3c2b-1a09-4f8e},3,101)");
        QTest::newRow("collection group") << "{5E4D3C2B-1A09}/SegmentIndex" << QVariant(-7);
        QTest::newRow("top level 64-bit") << "HostApplicationPID" << QVariant(qint64(1) << 40);
        QTest::newRow("bool") << "MyPalette/MyPaletteGridVisible" << QVariant(false);
        QTest::newRow("separators") << "MyPalette/MyPaletteDescription" << QVariant("a;b=c, d");
        QTest::newRow("quotes and backslash") << "d" << QVariant(R"(say "hi" \ C:\dir)");
        QTest::newRow("outer spaces") << "d" << QVariant("  spaced  ");
        QTest::newRow("control characters") << "d"
                                            << QVariant("tab\there\nline\r\x01"
                                                        "2");
        QTest::newRow("non-ASCII") << "d" << QVariant("Café ☕ 😀 ÿ");
        QTest::newRow("at sign") << "d" << QVariant("@Variant(not one)");
        QTest::newRow("empty") << "d" << QVariant(QString());
        QTest::newRow("text list") << "d" << QVariant(QStringList {"a", "b, c", ""});
        QTest::newRow("special key") << "g r/k é%=;" << QVariant("v");
        QTest::newRow("group named General") << "General/x" << QVariant("v");
    }

    void agreesWithQSettings()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QTemporaryDir folder;
        const QString theirs = folder.filePath(QStringLiteral("theirs.ini"));
        const QString ours = folder.filePath(QStringLiteral("ours.ini"));
        QVariant expected;
        {
            QSettings settings(theirs, QSettings::IniFormat);
            settings.setValue(QStringLiteral("other/neighbour"), 1);
            settings.setValue(key, value);
            settings.sync();
            expected = QSettings(theirs, QSettings::IniFormat).value(key);
        }
        QFile file(theirs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QSettings::SettingsMap read = SettingsIniFile::parse(file.readAll());
        QCOMPARE(read.value(key), expected);
        QCOMPARE(read.size(), 2);

        QFile written(ours);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(SettingsIniFile::serialize({{key, value}, {"other/neighbour", 1}}));
        written.close();
        const QSettings settings(ours, QSettings::IniFormat);
        QCOMPARE(settings.value(key), expected);
        QCOMPARE(settings.allKeys().size(), 2);
    }
};

QTEST_MAIN(TestSettingsIniFile)
#include "tst_settingsinifile.moc"
