#include "transfer/uploadfile.h"

#include "common/fileio.h"
#include "transfer/limits.h"

TUploadFile ReadUploadFile(const QString& fileName) {
  const TBoundedBytes file = ReadBounded(fileName, UploadBufferSize);
  return {file.Bytes, file.More};
}
