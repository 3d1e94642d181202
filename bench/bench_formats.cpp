// Speed of the format rules on the sizes the manager handles: recognition of 128 bytes,
// relocation of a full upload buffer, and the LZO container against the bare compressor.
//
//   bench_formats [--write-image=FILE] [benchmark options]
// --write-image writes the program-like image used here, for outside compressors.

#include <benchmark/benchmark.h>
#include <lzo/lzo1x.h>

#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <cstring>
#include <vector>

#include "catalogue/classify.h"
#include "common/bytes.h"
#include "ufif/firmwares.h"
#include "ufif/lzocontainer.h"
#include "ufif/relocation.h"

namespace {

constexpr int ImageSize = 65536;

// A plain UFIF 2.0 program of Thumb-like code: a few instruction shapes with varied
// registers, calls through the firmware's table, literal pools and strings.
QByteArray ProgramLikeImage() {
  QRandomGenerator random(20240601);
  QByteArray image;
  AppendWord(image, 0x20000000);
  image.append(QByteArray("Benchmark\0\0\0\0\0\0\0", 16));
  const quint16 shapes[] = {0xB500, 0xBD00, 0x2000, 0x1C00, 0x6800, 0x6000, 0x3000, 0xD000};
  while (image.size() < ImageSize) {
    const quint32 pick = random.bounded(32);
    if (pick == 0) {  // call stub through the table
      AppendWord(image, 0x4801B403);
      AppendWord(image, 0xBD014684);
      AppendWord(image, 0x36A658 + 4 * random.bounded(0x300));
    } else if (pick == 1) {
      AppendWord(image, 0x820000);
    } else if (pick == 2) {
      image.append("Out of memory!\0\0", 16);
    } else if (pick == 3) {  // literal: a relocated data word or another table address
      AppendWord(image, 0x36A97C + 4 * random.bounded(8));
    } else if (pick < 6) {  // literal: program data or a constant
      AppendWord(image, random.bounded(2) ? 0xA8000000 | random.bounded(0x10000) : pick * 100);
    } else {
      const quint16 code = shapes[random.bounded(8)] | quint16(random.bounded(0x100));
      image.append(char(code & 0xFF)).append(char(code >> 8));
    }
  }
  image.truncate(ImageSize);
  return image;
}

const QByteArray& Image() {
  static const QByteArray image = ProgramLikeImage();
  return image;
}

void BM_ClassifySection(benchmark::State& state) {
  const QByteArray bytes = Image().left(RecognitionBytes);
  const TSlotInfo before;
  for (auto _ : state)
    benchmark::DoNotOptimize(ClassifySection(before, ImageSize, bytes));
}
BENCHMARK(BM_ClassifySection);

void BM_ClassifyLZOContainer(benchmark::State& state) {
  const QByteArray bytes = BuildLZOContainer(Image(), 0xE81A).left(RecognitionBytes);
  const TSlotInfo before;
  for (auto _ : state)
    benchmark::DoNotOptimize(ClassifySection(before, ImageSize, bytes));
}
BENCHMARK(BM_ClassifyLZOContainer);

// Each round starts again from the UFIF 2.0 image, so the copy is part of the figure.
void BM_RelocateUFIF20(benchmark::State& state) {
  const QString firmware = FirmwareTable().at(int(state.range(0)));
  QByteArray image = Image();
  image.detach();
  for (auto _ : state) {
    std::memcpy(image.data(), Image().constData(), ImageSize);
    benchmark::DoNotOptimize(RelocateUFIF20(image, firmware));
  }
  state.SetBytesProcessed(state.iterations() * ImageSize);
}
BENCHMARK(BM_RelocateUFIF20)->Arg(0)->Arg(5)->Arg(6);

void BM_BareLZO1X999(benchmark::State& state) {
  std::vector<unsigned char> work(LZO1X_999_MEM_COMPRESS);
  std::vector<unsigned char> stream(ImageSize + ImageSize / 16 + 64 + 3);
  if (lzo_init() != LZO_E_OK)
    state.SkipWithError("lzo_init failed");
  for (auto _ : state) {
    lzo_uint length = 0;
    lzo1x_999_compress(reinterpret_cast<const lzo_bytep>(Image().constData()), ImageSize,
                       stream.data(), &length, work.data());
    benchmark::DoNotOptimize(length);
  }
  state.SetBytesProcessed(state.iterations() * ImageSize);
}
BENCHMARK(BM_BareLZO1X999)->Unit(benchmark::kMillisecond);

void BM_BuildLZOContainer(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildLZOContainer(Image(), 0xE81A));
  state.SetBytesProcessed(state.iterations() * ImageSize);
  state.counters["container"] = double(BuildLZOContainer(Image(), 0xE81A).size());
}
BENCHMARK(BM_BuildLZOContainer)->Unit(benchmark::kMillisecond);

void BM_UnpackLZOContainer(benchmark::State& state) {
  const QByteArray container = BuildLZOContainer(Image(), 0xE81A);
  TUnpacked unpacked;
  for (auto _ : state)
    benchmark::DoNotOptimize(unpacked = UnpackLZOContainer(container));
  if (!unpacked.Ok())
    state.SkipWithError(qPrintable(unpacked.Problem));
  state.SetBytesProcessed(state.iterations() * ImageSize);
}
BENCHMARK(BM_UnpackLZOContainer);

// Handles --write-image=FILE and removes it from the arguments; false when writing fails.
bool WriteImageOption(int* argc, char** argv) {
  const char* const option = "--write-image=";
  int kept = 0;
  bool written = true;
  for (int i = 0; i < *argc; ++i) {
    if (std::strncmp(argv[i], option, std::strlen(option)) != 0) {
      argv[kept++] = argv[i];
      continue;
    }
    QFile file(QString::fromLocal8Bit(argv[i] + std::strlen(option)));
    written = file.open(QIODevice::WriteOnly) && file.write(Image()) == Image().size();
    if (!written)
      std::fprintf(stderr, "Cannot write %s\n", argv[i] + std::strlen(option));
  }
  *argc = kept;
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (!WriteImageOption(&argc, argv))
    return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
