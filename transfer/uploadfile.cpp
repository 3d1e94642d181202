#include "transfer/uploadfile.h"

#include <QFile>
#include <QSaveFile>

#include "common/errors.h"
#include "transfer/limits.h"

TUploadFile ReadUploadFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(fileName);
  // One byte more than the buffer holds tells whether the file is too long.
  QByteArray data = file.read(UploadBufferSize + 1);
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(fileName);
  TUploadFile upload;
  upload.TooLong = data.size() > UploadBufferSize;
  data.truncate(UploadBufferSize);
  upload.Data = data;
  return upload;
}

void SaveWholeFile(const QString& fileName, const QByteArray& bytes) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly))
    throw EFCreateError(fileName);
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw EFCreateError(fileName);
}
