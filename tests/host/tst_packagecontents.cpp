#include "packagecontents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray description(const QByteArray &requirements, const QByteArray &module,
                       const QByteArray &startup = "True")
{
    return "<?xml version=\"1.0\"?><ApplicationPackage SchemaVersion=\"1.0\"><Components>"
           "<RuntimeRequirements "
        + requirements + "/><ComponentEntry AppName=\"Palette\" ModuleName=\"" + module
        + "\" LoadOnAutoCADStartup=\"" + startup + "\"/></Components></ApplicationPackage>";
}

QByteArray ours(const QByteArray &requirements = "OS=\"Linux\" SeriesMin=\"R19.0\" "
                                                 "SeriesMax=\"R19.1\"")
{
    return description(requirements, "./Contents/Linux/palette.so");
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestPackageContents : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void TestPackageContents::read_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("problem");

    const QStringList palette {QStringLiteral("Contents/Linux/palette.so")};
    const QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY a \"aaaaaaaaaa\">"
                            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                            "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                            "<ApplicationPackage>&c;</ApplicationPackage>";
    QTest::newRow("the format's example: only this platform's start-up module")
        << fileContents(QFINDTESTDATA("../data/bundle/PackageContents.xml"))
        << QStringList {QStringLiteral("Contents/Linux/sampletools.so"),
                        QStringLiteral("Contents/Linux/samplehelp.so"),
                        QStringLiteral("Contents/Windows/SampleTools.arx")}
        << QStringList {QStringLiteral("Contents/Linux/sampletools.so")} << QString();
    QTest::newRow("the installed description")
        << fileContents(QStringLiteral(VEXA_BUNDLE_DESCRIPTION))
        << QStringList {QStringLiteral("Contents/Linux/vexapalette.so")}
        << QStringList {QStringLiteral("Contents/Linux/vexapalette.so")} << QString();
    QTest::newRow("a later series")
        << ours("SeriesMin=\"R20.0\"") << palette << QStringList() << QString();
    QTest::newRow("an earlier series")
        << ours("SeriesMax=\"R18.2\"") << palette << QStringList() << QString();
    QTest::newRow("another platform")
        << ours("OS=\"Win64\"") << palette << QStringList() << QString();
    QTest::newRow("another product")
        << ours("Platform=\"ACADLT\"") << palette << QStringList() << QString();
    QTest::newRow("loaded on request only")
        << description("", "./Contents/Linux/palette.so", "False") << palette << QStringList()
        << QString();
    QTest::newRow("module file missing")
        << ours() << QStringList() << QStringList() << QStringLiteral("palette.so is missing");
    QTest::newRow("module outside the bundle")
        << description("", "../elsewhere.so") << QStringList {QStringLiteral("../elsewhere.so")}
        << QStringList() << QStringLiteral("outside the bundle");
    QTest::newRow("unreadable series") << ours("SeriesMin=\"nineteen\"") << palette << QStringList()
                                       << QStringLiteral("SeriesMin");
    QTest::newRow("damaged") << ours().chopped(30) << palette << QStringList()
                             << QStringLiteral("not well-formed XML");
    QTest::newRow("entity bomb") << bomb << palette << QStringList()
                                 << QStringLiteral("declares entities");
    QTest::newRow("another format") << QByteArray("<colorBook/>") << palette << QStringList()
                                    << QStringLiteral("no ApplicationPackage");
    QTest::newRow("larger than any description")
        << QByteArray(1024 * 1024 + 1, ' ') << palette << QStringList()
        << QStringLiteral("larger than 1 MB");
}

// What a bundle offers and what it names when it has to pass something over.
void TestPackageContents::read()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QFETCH(QString, problem);
    QTemporaryDir root;
    const QString bundle = root.filePath(QStringLiteral("plugins/Palette.bundle"));
    const QString path = QDir(bundle).filePath(QStringLiteral("PackageContents.xml"));
    QVERIFY(!xml.isEmpty());
    for (const QString &file : std::as_const(files))
        touch(QDir(bundle).filePath(file));
    touch(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size());
    file.close();

    const PackageContents contents = PackageContents::read(bundle);
    QStringList modules;
    for (const QString &module : contents.startupModules())
        modules.append(QDir(bundle).relativeFilePath(module));
    QCOMPARE(modules, expected);
    if (problem.isEmpty()) {
        QCOMPARE(contents.problems(), QStringList());
    } else {
        QCOMPARE(contents.problems().size(), 1);
        QVERIFY2(contents.problems().first().startsWith(path + u':')
                     && contents.problems().first().contains(problem),
                 qPrintable(contents.problems().first()));
    }
}

QTEST_GUILESS_MAIN(TestPackageContents)
#include "tst_packagecontents.moc"
