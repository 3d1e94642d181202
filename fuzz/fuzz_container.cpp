// Packing any file and unpacking the container gives the file back; unpacking any bytes
// either succeeds or says why, without reading outside them.

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "fuzz/property.h"
#include "ufif/lzocontainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));

  const QByteArray container = BuildLZOContainer(file, 0xE81A);
  Require(container.size() > LZOHeaderSize, "a container is built");
  Require(WordAt(container, 0) == LZOMagic, "the container starts with the magic");
  Require(WordAt(container, 24) <= quint32(file.size()), "unpacked length within the file");
  const TUnpacked repacked = UnpackLZOContainer(container);
  Require(repacked.Original == file, "unpack(pack(x)) == x");
  Require(repacked.Ok(), "a sound container unpacks without error");

  const TUnpacked unpacked = UnpackLZOContainer(file);
  Require(unpacked.Original.isEmpty() || unpacked.Ok(), "no error with a result");
  Require(!unpacked.Ok() || WordAt(file, 0) == LZOMagic, "only containers unpack");
  return 0;
}
