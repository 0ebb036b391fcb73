// The vexa-inspect command lines the README shows, run as a shell runs them: global options
// and a command's own are taken before or after the command and its arguments.
#include <QDirIterator>
#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandForms : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFormAnswersWhereverJsonStands_data();
    void everyFormAnswersWhereverJsonStands();
    void optionsGoBeforeTheCommandToo_data();
    void optionsGoBeforeTheCommandToo();

private:
    struct Answer
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    Answer inspect(const QStringList &arguments) const;
    QString fill(const QString &word) const;

    QTemporaryDir m_root;
    QString m_capsure;
};

TestCommandForms::Answer TestCommandForms::inspect(const QStringList &arguments) const
{
    QProcess process;
    process.start(QStringLiteral(VEXA_INSPECT), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// FILE and the other place holders of the README, made real.
QString TestCommandForms::fill(const QString &word) const
{
    if (word == QLatin1String("FILE.db"))
        return m_root.filePath(QStringLiteral("x.db"));
    if (word == QLatin1String("FILE.cxf"))
        return m_capsure;
    if (word == QLatin1String("IMAGE.png"))
        return m_root.filePath(QStringLiteral("screen.png"));
    if (word == QLatin1String("FILE"))
        return m_root.filePath(QStringLiteral("demo.palette"));
    if (word.startsWith(QLatin1String("OUT.")))
        return m_root.filePath(QStringLiteral("out") + word.mid(3));
    return word;
}

void TestCommandForms::initTestCase()
{
    QProcess make;
    make.start(QStringLiteral(VEXA_MKCOLLECTIONS), {m_root.path()});
    QVERIFY(make.waitForFinished(120000));
    QCOMPARE(make.exitCode(), 0);
    QDirIterator files(m_root.path(), {QStringLiteral("*.cxf")}, QDir::Files,
                       QDirIterator::Subdirectories);
    QVERIFY(files.hasNext());
    m_capsure = files.next();
    QDirIterator databases(m_root.path(), {QStringLiteral("*.db")}, QDir::Files,
                           QDirIterator::Subdirectories);
    QVERIFY(databases.hasNext());
    QVERIFY(QFile::copy(databases.next(), m_root.filePath(QStringLiteral("x.db"))));
    QImage screenshot(4, 4, QImage::Format_RGB32);
    screenshot.fill(QColor(200, 30, 30));
    QVERIFY(screenshot.save(m_root.filePath(QStringLiteral("screen.png"))));
}

void TestCommandForms::everyFormAnswersWhereverJsonStands_data()
{
    QTest::addColumn<QStringList>("form");
    const auto row
        = [](const QStringList &words) { QTest::newRow(qPrintable(words.join(u' '))) << words; };
    row({"collections"});
    row({"check", "FILE.db"});
    row({"page", "VXI", "1"});
    row({"walk", "VXI", "1", "forward", "--mood", "7", "--exterior"});
    row({"segment", "VXI", "1", "--mood", "7"});
    row({"find", "VXI", "VX 0001"});
    row({"schemes", "VXI", "1", "1", "--kind", "1"});
    row({"describe", "VXI", "1"});
    row({"complete", "VXI"});
    row({"nearest", "VXI", "#ff0000", "-n", "3"});
    row({"delta", "#ff0000", "#00ff00"});
    row({"equivalents", "VXI", "VX 0001"});
    row({"pick", "IMAGE.png", "1", "1", "--collection", "VXI"});
    row({"harmony", "VXI", "1", "1", "--kind", "1", "--subkind", "2"});
    row({"capsure", "FILE.cxf"});
    row({"palette", "FILE"});
    row({"palette", "FILE", "--gpl", "OUT.gpl", "--ase", "OUT.ase", "--collection", "VXI"});
    row({"palette", "FILE", "--save", "OUT.palette"});
    row({"palette", "FILE", "--text", "OUT.txt"});
    row({"palette", "FILE", "--colorbook", "OUT.acb"});
    row({"palette", "FILE", "--schedule", "OUT.pdf"});
}

void TestCommandForms::everyFormAnswersWhereverJsonStands()
{
    QFETCH(QStringList, form);
    QStringList words;
    for (const QString &word : std::as_const(form))
        words << fill(word);
    const QStringList data {QStringLiteral("--data"), m_root.path()};
    const QString json = QStringLiteral("--json");
    const Answer first = inspect(data + QStringList {json} + words);
    QVERIFY2(first.status == 0, first.err.constData());
    QVERIFY(!QJsonDocument::fromJson(first.out).isNull());
    const Answer last = inspect(data + words + QStringList {json});
    QCOMPARE(last.status, 0);
    QCOMPARE(last.out, first.out);
    const Answer dataLast = inspect(words + QStringList {json} + data);
    QCOMPARE(dataLast.status, 0);
    QCOMPARE(dataLast.out, first.out);
}

void TestCommandForms::optionsGoBeforeTheCommandToo_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("status");
    QTest::newRow("kind") << "--kind 1 harmony VXI 1 1"
                          << "harmony VXI 1 1 --kind 1" << 0;
    QTest::newRow("short count") << "-n 2 nearest VXI #00ff00"
                                 << "nearest VXI #00ff00 -n 2" << 0;
    QTest::newRow("flag") << "--exterior segment VXI 2"
                          << "segment VXI 2 --exterior" << 0;
    QTest::newRow("another command's option") << "--kind 1 page VXI 1"
                                              << "page VXI 1 --kind 1" << 1;
}

void TestCommandForms::optionsGoBeforeTheCommandToo()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, status);
    const QStringList data {QStringLiteral("--data"), m_root.path(), QStringLiteral("--json")};
    const Answer first = inspect(data + before.split(u' '));
    const Answer second = inspect(data + after.split(u' '));
    QCOMPARE(first.status, status);
    QCOMPARE(second.status, status);
    QCOMPARE(first.out, second.out);
    QCOMPARE(first.err, second.err);
}

QTEST_MAIN(TestCommandForms)
#include "tst_commandforms.moc"
