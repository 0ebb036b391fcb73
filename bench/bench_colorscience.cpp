// The colour difference against Little CMS on the same pairs, the nearest-chip search over a
// large collection against the plain scan, and one user-settings read.
#include "core/usersettings.h"
#include "palette/colorscience.h"

#include <QColor>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <vector>

namespace {

using Sorven::LabColor;

LabColor randomChip(QRandomGenerator &random)
{
    return Sorven::labFromColor(
        QColor(random.bounded(256), random.bounded(256), random.bounded(256)));
}

std::vector<std::pair<LabColor, LabColor>> randomPairs()
{
    QRandomGenerator random(1);
    std::vector<std::pair<LabColor, LabColor>> pairs(4096);
    for (auto &pair : pairs)
        pair = {randomChip(random), randomChip(random)};
    return pairs;
}

QList<Sorven::DB::LabSample> collectionSamples()
{
    QRandomGenerator random(2);
    QList<Sorven::DB::LabSample> samples;
    for (qint64 id = 1; id <= 50000; ++id) {
        const LabColor lab = randomChip(random);
        samples.append({lab.l, lab.a, lab.b, id});
    }
    return samples;
}

std::vector<LabColor> targets()
{
    QRandomGenerator random(3);
    std::vector<LabColor> colors(256);
    for (LabColor &color : colors)
        color = randomChip(random);
    return colors;
}

// The search as the rule reads it: every sample, insertion behind equal differences.
Sorven::LabMatches plainScan(const LabColor &target, const QList<Sorven::DB::LabSample> &samples,
                             int n)
{
    Sorven::LabMatches result;
    for (const auto &sample : samples) {
        const double d = Sorven::ciede2000Difference(target, {sample.l, sample.a, sample.b});
        qsizetype at = 0;
        while (at < result.size() && !(result.at(at).first > d))
            ++at;
        result.insert(at, {d, sample.rowId});
        if (result.size() > n)
            result.removeLast();
    }
    return result;
}

void ciede2000(benchmark::State &state)
{
    const auto pairs = randomPairs();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto &[x, y] = pairs[i++ % pairs.size()];
        benchmark::DoNotOptimize(Sorven::ciede2000Difference(x, y));
    }
}

void littleCmsCiede2000(benchmark::State &state)
{
    std::vector<std::pair<cmsCIELab, cmsCIELab>> pairs;
    for (const auto &[x, y] : randomPairs())
        pairs.push_back({{x.l, x.a, x.b}, {y.l, y.a, y.b}});
    std::size_t i = 0;
    for (auto _ : state) {
        const auto &[x, y] = pairs[i++ % pairs.size()];
        benchmark::DoNotOptimize(cmsCIE2000DeltaE(&x, &y, 1.0, 1.0, 1.0));
    }
}

void nearestOf50000(benchmark::State &state)
{
    const auto samples = collectionSamples();
    const auto colors = targets();
    const int n = int(state.range(0));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Sorven::nearestLabSamples(colors[i++ % colors.size()], samples, n));
}

void plainScanOf50000(benchmark::State &state)
{
    const auto samples = collectionSamples();
    const auto colors = targets();
    const int n = int(state.range(0));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainScan(colors[i++ % colors.size()], samples, n));
}

void userSettingsRead(benchmark::State &state)
{
    const QUuid collection = QUuid::createUuid();
    Sorven::UserSettings::setHostName(QStringLiteral("Benchmark"));
    Sorven::UserSettings::setPageIndex(collection, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(Sorven::UserSettings::pageIndex(collection));
}

BENCHMARK(ciede2000)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(littleCmsCiede2000)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(nearestOf50000)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(plainScanOf50000)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(userSettingsRead)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    // The settings read must not touch the real user's settings.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
