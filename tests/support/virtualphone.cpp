#include "tests/support/virtualphone.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "phone/store.h"

namespace {

QString SectionFile(const QString& portDir, int section, int subsection) {
  return QStringLiteral("%1/%2-%3").arg(portDir).arg(section).arg(subsection);
}

}  // namespace

TVirtualPhone::TVirtualPhone() {
  journal_ = dir_.filePath(QStringLiteral("journal.txt"));
  QDir().mkpath(PortDir(1));
  qputenv("GBP_PHONE_DIR", StoreDir().toLocal8Bit());
  qputenv("GBP_JOURNAL", journal_.toLocal8Bit());
  qunsetenv("GBP_FAULTS");
  qunsetenv("GBP_CAPACITY");
  qunsetenv("GBP_BAUD");
}

TVirtualPhone::~TVirtualPhone() {
  qunsetenv("GBP_PHONE_DIR");
  qunsetenv("GBP_JOURNAL");
  qunsetenv("GBP_FAULTS");
  qunsetenv("GBP_CAPACITY");
  qunsetenv("GBP_BAUD");
}

QString TVirtualPhone::StoreDir() const {
  return dir_.filePath(QStringLiteral("phone"));
}

QString TVirtualPhone::PortDir(int port) const {
  return QStringLiteral("%1/%2").arg(StoreDir(), QString::fromStdString(gbp::PortFolderName(port)));
}

void TVirtualPhone::AddPort(int port) {
  QDir().mkpath(PortDir(port));
}

void TVirtualPhone::RemovePort(int port) {
  QDir(PortDir(port)).removeRecursively();
}

void TVirtualPhone::Put(int section, int subsection, const QByteArray& bytes, int port) {
  QFile file(SectionFile(PortDir(port), section, subsection));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write a section of the virtual phone");
}

QByteArray TVirtualPhone::Get(int section, int subsection, int port) const {
  QFile file(SectionFile(PortDir(port), section, subsection));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TVirtualPhone::Holds(int section, int subsection, int port) const {
  return QFile::exists(SectionFile(PortDir(port), section, subsection));
}

void TVirtualPhone::Remove(int section, int subsection, int port) {
  QFile::remove(SectionFile(PortDir(port), section, subsection));
}

void TVirtualPhone::SetFaults(const QString& faults) {
  if (faults.isEmpty())
    qunsetenv("GBP_FAULTS");
  else
    qputenv("GBP_FAULTS", faults.toLocal8Bit());
}

void TVirtualPhone::SetCapacity(qint64 bytes) {
  qputenv("GBP_CAPACITY", QByteArray::number(bytes));
}

QStringList TVirtualPhone::Journal() const {
  QFile file(journal_);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return {};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TVirtualPhone::ClearJournal() {
  QFile::remove(journal_);
}

int TVirtualPhone::Calls(const QString& function) const {
  int count = 0;
  for (const QString& line : Journal())
    if (line.startsWith(function + QLatin1Char('(')))
      ++count;
  return count;
}

QString TVirtualPhone::LibraryPath() {
#ifdef _WIN32
  return QCoreApplication::applicationDirPath() +
         QStringLiteral("/" KIV_PRIVATE_LIBDIR_FROM_BINDIR "/gbp.dll");
#else
  return QCoreApplication::applicationDirPath() + QStringLiteral("/libgbp.so");
#endif
}
