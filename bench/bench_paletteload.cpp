// Loading palette files of 4 MB (the largest one loading reads) and 16 MB on the demo data, whose
// chips name collections that are not installed or codes that do not match: every chip is
// looked at and none fills its cell.
#include "bench/demobenchmain.h"
#include "db/connections.h"
#include "palette/palettefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &root()
{
    static QTemporaryDir folder;
    return folder;
}

// A version 3 file of about size bytes whose chips name collection at page and row indices
// that walk the deck, all with the code "NO-SUCH-CODE".
QString writePalette(const QString &name, qint64 size, const QUuid &collection)
{
    QByteArray bytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<orvo-palette version=\"3.0\" "
                     "system=\"multi-collection\"><description>bench</description><chips>");
    for (int chip = 0; bytes.size() < size - 200; ++chip) {
        bytes += QStringLiteral("<chip row=\"%1\" col=\"%2\"><entry uuid-of-collection=\"%3\" "
                                "page-index=\"%4\" row-index=\"%5\" "
                                "color-code=\"NO-SUCH-CODE\"/></chip>\n")
                     .arg(chip % 4)
                     .arg(chip / 4 % 6)
                     .arg(collection.toString())
                     .arg(chip % 97 + 1)
                     .arg(chip % 7 + 1)
                     .toUtf8();
    }
    bytes += "</chips></orvo-palette>\n";
    const QString path = QDir(root().path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void loadPalette(benchmark::State &state, qint64 megabytes, bool installed)
{
    const QUuid collection
        = installed ? Sorven::DB::availableCollections().value(0) : QUuid::createUuid();
    const QString path = writePalette(QStringLiteral("bench.palette"), megabytes << 20, collection);
    for (auto _ : state) {
        const Sorven::PaletteFileRead read = Sorven::readPaletteFile(path);
        benchmark::DoNotOptimize(read.palette);
    }
    state.counters["MB"] = double(megabytes);
}

void unknownCollections4MB(benchmark::State &state)
{
    loadPalette(state, 4, false);
}

void unknownCollections16MB(benchmark::State &state)
{
    loadPalette(state, 16, false);
}

void codesThatDoNotMatch4MB(benchmark::State &state)
{
    loadPalette(state, 4, true);
}

void codesThatDoNotMatch16MB(benchmark::State &state)
{
    loadPalette(state, 16, true);
}

// A few runs each: one run of the slow case took over a minute.
BENCHMARK(unknownCollections4MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(unknownCollections16MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(codesThatDoNotMatch4MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(codesThatDoNotMatch16MB)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runOnDemoCollections(argc, argv, root());
}
