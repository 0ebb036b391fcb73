// The capture button's import on the demo data: reading and matching a measurement file from the
// press of the button to the list the user chooses from. Files of 4 MB and 16 MB hold far more
// objects than a measurement has and are refused; a file of as many objects as are read, none of
// them named after a chip so that every colour is searched by value, is the most work accepted.
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "db/connections.h"
#include "palette/capsureimport.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace Sorven;

namespace {

QString folder;

QByteArray measuredObject(int index)
{
    return QStringLiteral("<Object ObjectType='Standard' Name='Surface %1' Id='m%1'><ColorValues>"
                          "<ColorSRGB><R>%2</R><G>%3</G><B>%4</B></ColorSRGB></ColorValues>"
                          "</Object>\n")
        .arg(index)
        .arg(index * 37 % 256)
        .arg(index * 91 % 256)
        .arg(index * 53 % 256)
        .toUtf8();
}

// A measurement file of about bytes, or of objects measured objects when bytes is 0.
QString writeMeasurement(qint64 bytes, int objects)
{
    QByteArray xml = "<CxF xmlns='http://colorexchangeformat.com/CxF3-core'><ObjectCollection>\n";
    for (int i = 1; bytes > 0 ? xml.size() < bytes - 64 : i <= objects; ++i)
        xml += measuredObject(i);
    xml += "</ObjectCollection></CxF>\n";
    const QString path = QStringLiteral("%1/%2.cxf").arg(folder).arg(bytes > 0 ? bytes : objects);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

void importMeasurement(benchmark::State &state, const QString &path)
{
    QString error;
    measureMedian(state, [&] {
        const CapsureMatch match = matchCapsureFile(path);
        error = match.error;
        benchmark::DoNotOptimize(match.candidates.size());
    });
    state.SetLabel(error.isEmpty() ? "offered" : qPrintable(error.section(u':', -1).trimmed()));
}

void fileOf4Megabytes(benchmark::State &state)
{
    importMeasurement(state, writeMeasurement(4 << 20, 0));
}

void fileOf16Megabytes(benchmark::State &state)
{
    importMeasurement(state, writeMeasurement(CapsureFileSizeLimit, 0));
}

void mostObjectsRead(benchmark::State &state)
{
    importMeasurement(state, writeMeasurement(0, CapsureObjectLimit));
}

BENCHMARK(fileOf4Megabytes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(fileOf16Megabytes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(mostObjectsRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QGuiApplication application(argc, argv);
    const QString error = writeBenchmarkCollections(root, 0);
    if (!error.isEmpty() || DB::ensureCollectionsEnumerated() < 0) {
        std::fprintf(stderr, "cannot build the demo collections: %s\n", qPrintable(error));
        return 1;
    }
    folder = root.path();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
