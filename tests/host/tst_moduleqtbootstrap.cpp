// Runs in a process without a Qt application, as the real host is: the module starts Qt itself.
#include "standin/host/moduleloader.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <memory>

namespace {

const QString ModulePlugins
    = QFileInfo(QStringLiteral(VEXA_MODULE_PATH)).absolutePath() + QStringLiteral("/plugins");

QString foreignPlugins()
{
    return qEnvironmentVariable("VEXA_TEMP_DIR") + QStringLiteral("/foreign-qt/plugins");
}

// Another Qt installation's plug-ins, named by the environment the host runs in.
bool makeForeignPlugins()
{
    for (const QString &plugin :
         {QStringLiteral(VEXA_SYSTEM_PLATFORM_PLUGIN), QStringLiteral(VEXA_SYSTEM_SQLITE_PLUGIN)}) {
        const QFileInfo source(plugin);
        const QString folder = foreignPlugins() + u'/' + source.dir().dirName();
        if (!QDir().mkpath(folder) || !QFile::copy(plugin, folder + u'/' + source.fileName()))
            return false;
    }
    return qputenv("QT_PLUGIN_PATH", QFile::encodeName(foreignPlugins()));
}

QString mappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

} // namespace

class TestModuleQtBootstrap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startsQtAndShowsACollection();
    void loadsOnlyItsOwnPlugins();

private:
    std::unique_ptr<ModuleLoader> m_loader;
};

void TestModuleQtBootstrap::initTestCase()
{
    QVERIFY(!QCoreApplication::instance());
    const QByteArray build = QByteArrayLiteral(VEXA_MKCOLLECTIONS " ")
        + qgetenv("VEXA_COMMON_APPDATA") + QByteArrayLiteral(" >/dev/null");
    QCOMPARE(std::system(build.constData()), 0);
    QVERIFY(makeForeignPlugins());
    m_loader = std::make_unique<ModuleLoader>([](int, int) {});
}

void TestModuleQtBootstrap::cleanupTestCase()
{
    m_loader.reset();
}

void TestModuleQtBootstrap::startsQtAndShowsACollection()
{
    QVERIFY(m_loader->load(QStringLiteral(VEXA_MODULE_PATH)));
    QVERIFY(qobject_cast<QApplication *>(QCoreApplication::instance()));
    QWidget *surface = nullptr;
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("MainWidget"))
            surface = widget;
    }
    QVERIFY(surface);
    QVERIFY(surface->isVisible());
    // The caption is the collection's own text, not the key a missing text falls back to.
    const QString caption = surface->window()->windowTitle();
    QVERIFY(!caption.isEmpty());
    QVERIFY(caption != QLatin1String("color.palette.caption"));
}

void TestModuleQtBootstrap::loadsOnlyItsOwnPlugins()
{
    const QString mapped = mappedFiles();
    QVERIFY2(!mapped.contains(foreignPlugins()), qPrintable(mapped));
    QCOMPARE(QCoreApplication::libraryPaths(), QStringList {ModulePlugins});
    QVERIFY(mapped.contains(ModulePlugins + QStringLiteral("/platforms/")));
    QVERIFY(mapped.contains(ModulePlugins + QStringLiteral("/sqldrivers/libqsqlite.so")));
}

QTEST_APPLESS_MAIN(TestModuleQtBootstrap)
#include "tst_moduleqtbootstrap.moc"
