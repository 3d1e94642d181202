#include "cli/phonelink.h"

#include "catalogue/classify.h"
#include "catalogue/slotinfo.h"
#include "cli/console.h"
#include "cli/options.h"
#include "transfer/limits.h"

TPhoneLink::TPhoneLink(int port, const QString& portOrigin) {
  if (!library_.Usable())
    throw TCommandFailed(UnableToOpenGBPText());
  const int code = library_.Open(port);
  if (code != 0) {
    throw TCommandFailed(
        QStringLiteral("%1 (%2, %3)").arg(GBPErrorMessage(code), PortName(port), portOrigin));
  }
}

TPhoneLink::~TPhoneLink() {
  library_.Close();
}

int TPhoneLink::Size(const TSectionAddress& address) {
  return library_.GetSize(address.Section, address.SubSection);
}

TSectionRead TPhoneLink::ReadSection(const TSectionAddress& address) {
  TSectionRead result;
  const int size = Size(address);
  if (SizeMeansEmpty(size)) {
    result.Ok = true;
    return result;
  }
  if (size < 0) {
    result.Error = SizeErrorText(address);
    return result;
  }
  QByteArray buffer(UploadBufferSize, '\0');
  const int read =
      library_.Read(address.Section, address.SubSection, buffer.data(), quint32(buffer.size()));
  if (read < 0) {
    result.Error = ReadErrorText(address);
    return result;
  }
  if (read != size || read > buffer.size()) {
    result.Error = QStringLiteral("%1: %2 of its %3 bytes read")
                       .arg(ReadErrorText(address))
                       .arg(read)
                       .arg(size);
    return result;
  }
  result.Ok = true;
  result.Bytes = buffer.left(read);
  return result;
}

int TPhoneLink::ReadHead(const TSectionAddress& address, QByteArray& head) {
  head = QByteArray(RecognitionBytes, '\0');
  const int read =
      library_.Read(address.Section, address.SubSection, head.data(), quint32(head.size()));
  head.truncate(qBound(0, read, RecognitionBytes));
  return read;
}

void TPhoneLink::Write(const TSectionAddress& address, const QByteArray& bytes) {
  // The write's own result says nothing the callers rely on: they judge by what the phone
  // then holds.
  library_.Write(address.Section, address.SubSection, bytes.constData(), quint32(bytes.size()));
}

void TPhoneLink::Clear(const TSectionAddress& address) {
  library_.Clear(address.Section, address.SubSection);
}

QString SizeErrorText(const TSectionAddress& address) {
  return QStringLiteral("Error getting section %1 size").arg(address.Text());
}

QString ReadErrorText(const TSectionAddress& address) {
  return QStringLiteral("Error reading section %1").arg(address.Text());
}
