#pragma once
// Reading the files a command takes and saving the files it gives, for the window and
// kivnvm alike. Errors carry the system's reason (Exception::Reason).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QFile;
class QSettings;

// At most the first limit bytes of a file, and whether more followed.
struct TBoundedBytes {
  QByteArray Bytes;
  bool More = false;
};

// What a file may be. A file the program finds by itself (a backup's entry, a file picked in
// a dialog) must be a regular file: a named pipe or a device there would block the reader
// or never end. A file named on the command line may be a stream, as "-" is.
enum class TFileKinds { RegularOnly, StreamsToo };

// Opens the file for reading. With RegularOnly it is opened without blocking and refused
// unless it is a regular file, so a planted named pipe is refused at once. Throws
// EFOpenError, with the reason.
void OpenForReading(QFile& file, const QString& path, TFileKinds kinds);
// Whether no file stands at path, or a regular one does (not a directory, a pipe, a device);
// for a file that another library opens by name and that may be passed over.
bool IsRegularOrAbsent(const QString& path);

// An INI file opened for its values, or why it cannot be read as one (Problem, the reason
// alone: "Permission denied", "it is a directory", "it is not in INI format"); then Settings
// is null. A file that is not there opens with no values.
struct TIniFile {
  std::unique_ptr<QSettings> Settings;
  QString Problem;
};
// Checks the file's kind and that it can be read before QSettings opens it, since QSettings
// would wait for ever on a named pipe and read an unreadable file as an empty one, then its
// status: a file QSettings could not parse would lose its unreadable lines at the next save.
TIniFile OpenIniFile(const QString& path);

// Reads until limit + 1 bytes or the end, never trusting the size the file reports, so a
// pipe, /dev/stdin or an endless device reads as what it holds and returns promptly.
// Throws EFOpenError when the file cannot be opened or read.
TBoundedBytes ReadBounded(const QString& path, qint64 limit,
                          TFileKinds kinds = TFileKinds::RegularOnly);
// The same from a file already open for reading (standard input); name is for messages.
TBoundedBytes ReadBounded(QFile& file, qint64 limit, const QString& name);

// Makes bytes the file's whole content. A regular file, or a new one, is replaced only
// when every byte was written, so a failure leaves the old one as it was. Anything else (a
// device, a FIFO) is written in place and stays what it is. Throws EFCreateError when the
// file cannot be opened or a write fails or falls short.
void SaveFile(const QString& path, const QByteArray& bytes);
// Writes bytes to a file already open for writing (standard output), every write checked.
void WriteOpenFile(QFile& file, const QByteArray& bytes, const QString& name);

// Makes a folder and the missing folders above it, and takes them away again when it ends,
// innermost first and each only while it is empty, unless Keep() was called: work that
// fails leaves no empty folders behind, and never touches a folder it did not make. Throws
// EFCreateError when the folder cannot be made.
class TMadeFolders {
 public:
  explicit TMadeFolders(const QString& path);
  ~TMadeFolders();
  TMadeFolders(const TMadeFolders&) = delete;
  TMadeFolders& operator=(const TMadeFolders&) = delete;

  void Keep() { made_.clear(); }

 private:
  QStringList made_;  // innermost first
};
