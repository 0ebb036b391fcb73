#include "core/filereadiness.h"
#include "core/regularfile.h"
#include "palette/capsureimport.h"
#include "palette/palettefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Sorven;

// Anyone who can create a file where we read can make it a FIFO, a socket or a link to a device:
// every reader refuses them with a reason at once instead of waiting for a writer that never
// comes (a hang here fails the test by its timeout).
class TestNonRegularFiles : public QObject
{
    Q_OBJECT

private slots:
    void readersRefuseThemAtOnce_data()
    {
        QTest::addColumn<QString>("path");
        const QString fifo = m_folder.filePath(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString link = m_folder.filePath(QStringLiteral("link-to-fifo"));
        QVERIFY(QFile::link(fifo, link));
        const QString socketPath = m_folder.filePath(QStringLiteral("socket"));
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path);
        QVERIFY(::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QTest::newRow("FIFO") << fifo;
        QTest::newRow("link to a FIFO") << link;
        QTest::newRow("socket") << socketPath;
        QTest::newRow("device") << QStringLiteral("/dev/zero");
        QTest::newRow("folder") << m_folder.path();
    }

    void readersRefuseThemAtOnce()
    {
        QFETCH(QString, path);
        QFile file(path);
        QString reason;
        QVERIFY(!openRegularFile(file, &reason));
        QVERIFY(reason.startsWith(QLatin1String("not a regular file")));
        QVERIFY(!isFileFinished(path));
        const PaletteFileRead palette = readPaletteFile(path);
        QVERIFY(palette.opened);
        QVERIFY(!palette.palette);
        QCOMPARE(palette.reason, reason);
        QVERIFY(readCapsureNames(path).error.contains(reason));
    }

    void cleanupTestCase() { ::close(m_socket); }

private:
    QTemporaryDir m_folder;
    int m_socket = -1;
};

QTEST_GUILESS_MAIN(TestNonRegularFiles)
#include "tst_nonregularfiles.moc"
