#include "core/platformpaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven;

class TestPlatformPaths : public QObject
{
    Q_OBJECT

private slots:
    void commonAppDataFolder_data();
    void commonAppDataFolder();
};

void TestPlatformPaths::commonAppDataFolder_data()
{
    QTest::addColumn<QStringList>("dataDirs");
    QTest::addColumn<QStringList>("holding");
    QTest::addColumn<bool>("overridden");
    QTest::addColumn<QString>("expected");

    const QStringList three {"local", "usr", "opt"};
    QTest::newRow("the first folder holding the collections wins")
        << three << QStringList {"usr", "opt"} << false << "usr";
    QTest::newRow("none holds them: the first folder")
        << three << QStringList() << false << "local";
    QTest::newRow("the override wins") << three << QStringList {"usr"} << true << "override";
}

// The machine-wide data folder that packages installed below /usr/share are found in.
void TestPlatformPaths::commonAppDataFolder()
{
    QFETCH(QStringList, dataDirs);
    QFETCH(QStringList, holding);
    QFETCH(bool, overridden);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QStringList folders;
    for (const QString &folder : std::as_const(dataDirs))
        folders.append(root.filePath(folder));
    for (const QString &folder : std::as_const(holding))
        QVERIFY(
            QDir(root.filePath(folder)).mkpath(QStringLiteral("Orvo Kalin/Vexa Plugin/SQLite")));
    const QByteArray isolated = qgetenv("VEXA_COMMON_APPDATA");
    qputenv("XDG_DATA_DIRS", folders.join(u':').toUtf8());
    if (overridden)
        qputenv("VEXA_COMMON_APPDATA", root.filePath(QStringLiteral("override")).toUtf8());
    else
        qunsetenv("VEXA_COMMON_APPDATA");
    const QString found = Platform::commonAppDataFolder();
    qputenv("VEXA_COMMON_APPDATA", isolated);
    QCOMPARE(found, root.filePath(expected));
}

QTEST_GUILESS_MAIN(TestPlatformPaths)
#include "tst_platformpaths.moc"
