// The link host's life on Windows: started suspended, put in a job object that ends it when
// the manager's last handle to the job closes (the manager's death included), then let run;
// reached through named pipes whose manager's ends use overlapped I/O, so that every wait
// has its deadline; ended with everything in its job.

#include <windows.h>

#include <QByteArray>
#include <QDir>
#include <QProcessEnvironment>
#include <QUuid>
#include <algorithm>
#include <cstring>

#include "common/texts.h"
#include "link/hostprocess.h"

namespace {

using std::chrono::milliseconds;

// What one overlapped read or write moves at most; a frame larger than this takes several.
constexpr DWORD kChunk = 64 * 1024;

HANDLE Handle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

QString SystemError(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const QString reason =
      length > 0 ? QString::fromWCharArray(text, int(length)).trimmed() : QString::number(code);
  LocalFree(text);
  return reason;
}

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes before a
// quote doubled.
QString Quoted(const QString& argument) {
  const bool plain = std::none_of(argument.begin(), argument.end(), [](QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('"');
  });
  if (!argument.isEmpty() && plain)
    return argument;
  QString quoted = QStringLiteral("\"");
  int backslashes = 0;
  for (const QChar c : argument) {
    if (c == QLatin1Char('\\')) {
      ++backslashes;
      continue;
    }
    if (c == QLatin1Char('"'))
      quoted += QString(backslashes * 2 + 1, QLatin1Char('\\'));
    else
      quoted += QString(backslashes, QLatin1Char('\\'));
    backslashes = 0;
    quoted += c;
  }
  return quoted + QString(backslashes * 2, QLatin1Char('\\')) + QLatin1Char('"');
}

// The manager's environment with the launch's settings over it, as CreateProcessW takes it:
// NAME=value strings each ended by a null, the block by one more.
std::wstring EnvironmentBlock(const QStringList& settings) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& setting : settings) {
    const int equals = setting.indexOf(QLatin1Char('='));
    environment.insert(setting.left(equals), setting.mid(equals + 1));
  }
  std::wstring block;
  for (const QString& entry : environment.toStringList())
    block += entry.toStdWString() + L'\0';
  return block + L'\0';
}

// A pipe whose manager's end uses overlapped I/O and whose host's end is an ordinary
// inheritable handle. inbound: the manager reads from it.
bool MakePipe(bool inbound, HANDLE& ours, HANDLE& theirs) {
  const QString name = QStringLiteral("\\\\.\\pipe\\kiv-linkhost-%1")
                           .arg(QUuid::createUuid().toString(QUuid::Id128));
  const std::wstring path = name.toStdWString();
  ours = CreateNamedPipeW(path.c_str(),
                          (inbound ? PIPE_ACCESS_INBOUND : PIPE_ACCESS_OUTBOUND) |
                              FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                          PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, kChunk, kChunk, 0,
                          nullptr);
  if (ours == INVALID_HANDLE_VALUE)
    return false;
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  theirs = CreateFileW(path.c_str(), inbound ? GENERIC_WRITE : GENERIC_READ, 0, &inherited,
                       OPEN_EXISTING, 0, nullptr);
  if (theirs == INVALID_HANDLE_VALUE) {
    CloseHandle(ours);
    ours = INVALID_HANDLE_VALUE;
    return false;
  }
  return true;
}

// One direction's overlapped state: at most one operation in flight, into or out of its own
// buffer, so that nothing the caller holds is touched after a call returns.
struct TOverlappedEnd {
  HANDLE Pipe = INVALID_HANDLE_VALUE;
  HANDLE Event = nullptr;
  OVERLAPPED Operation{};
  bool Pending = false;
  bool Broken = false;
  QByteArray Buffer;
  DWORD Held = 0;   // bytes read and not yet taken
  DWORD Taken = 0;  // of those, already handed out

  bool Open() const { return Pipe != INVALID_HANDLE_VALUE; }

  void Attach(HANDLE pipe) {
    Pipe = pipe;
    Event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Buffer.resize(int(kChunk));
    Held = Taken = 0;
    Pending = Broken = false;
  }

  // Whether the operation in flight has ended: its bytes counted, or the pipe broken.
  bool Finished(DWORD& moved, DWORD wait) {
    if (!Pending)
      return true;
    if (WaitForSingleObject(Event, wait) != WAIT_OBJECT_0)
      return false;
    Pending = false;
    if (!GetOverlappedResult(Pipe, &Operation, &moved, FALSE)) {
      Broken = true;
      moved = 0;
    }
    return true;
  }

  // ReadFile and WriteFile reset the event as they start: no ResetEvent, which under Wine
  // is one more round trip to wineserver at every call.
  void Begin() {
    ZeroMemory(&Operation, sizeof Operation);
    Operation.hEvent = Event;
  }

  void Close() {
    if (Open()) {
      if (Pending) {
        CancelIoEx(Pipe, &Operation);
        DWORD ignored = 0;
        GetOverlappedResult(Pipe, &Operation, &ignored, TRUE);
        Pending = false;
      }
      CloseHandle(Pipe);
    }
    if (Event)
      CloseHandle(Event);
    Pipe = INVALID_HANDLE_VALUE;
    Event = nullptr;
  }
};

}  // namespace

struct THostChannel::TEnds {
  TOverlappedEnd Input;   // written
  TOverlappedEnd Output;  // read

  // Starts a read into the output's buffer, unless one is in flight or bytes wait there.
  void ReadAhead() {
    if (Output.Pending || Output.Broken || Output.Taken < Output.Held)
      return;
    Output.Held = Output.Taken = 0;
    Output.Begin();
    DWORD got = 0;
    if (ReadFile(Output.Pipe, Output.Buffer.data(), kChunk, &got, &Output.Operation)) {
      Output.Held = got;
      return;
    }
    if (GetLastError() == ERROR_IO_PENDING)
      Output.Pending = true;
    else
      Output.Broken = true;
  }
};

THostChannel::THostChannel() : ends_(std::make_unique<TEnds>()) {}

THostChannel::~THostChannel() {
  Close();
}

bool THostChannel::InputOpen() const {
  return ends_->Input.Open();
}

qint64 THostChannel::Write(const uint8_t* from, size_t count) {
  TOverlappedEnd& input = ends_->Input;
  DWORD moved = 0;
  if (!input.Finished(moved, 0))
    return 0;
  if (input.Broken)
    return -1;
  const DWORD size = DWORD(std::min<size_t>(count, kChunk));
  std::memcpy(input.Buffer.data(), from, size);
  input.Begin();
  if (WriteFile(input.Pipe, input.Buffer.constData(), size, nullptr, &input.Operation))
    return size;
  if (GetLastError() != ERROR_IO_PENDING) {
    input.Broken = true;
    return -1;
  }
  input.Pending = true;
  return size;
}

qint64 THostChannel::Read(uint8_t* into, size_t count) {
  TOverlappedEnd& output = ends_->Output;
  DWORD got = 0;
  if (output.Pending) {
    if (!output.Finished(got, 0))
      return 0;
    output.Held = got;
    output.Taken = 0;
  } else {
    ends_->ReadAhead();
  }
  if (output.Taken < output.Held) {
    const DWORD size = DWORD(std::min<size_t>(count, output.Held - output.Taken));
    std::memcpy(into, output.Buffer.constData() + output.Taken, size);
    output.Taken += size;
    return size;
  }
  return output.Broken ? -1 : 0;
}

bool THostChannel::WaitWritable(qint64 ms) {
  DWORD moved = 0;
  return ends_->Input.Finished(moved, DWORD(ms));
}

bool THostChannel::WaitReadable(qint64 ms) {
  TOverlappedEnd& output = ends_->Output;
  ends_->ReadAhead();
  if (!output.Pending)
    return true;
  DWORD got = 0;
  if (!output.Finished(got, DWORD(ms)))
    return false;
  output.Held = got;
  output.Taken = 0;
  return true;
}

void THostChannel::CloseInput() {
  ends_->Input.Close();
}

void THostChannel::Close() {
  ends_->Input.Close();
  ends_->Output.Close();
}

bool TLinkHostProcess::Spawn() {
  HANDLE input = INVALID_HANDLE_VALUE, hostInput = INVALID_HANDLE_VALUE;
  HANDLE output = INVALID_HANDLE_VALUE, hostOutput = INVALID_HANDLE_VALUE;
  HANDLE hostError = INVALID_HANDLE_VALUE;
  HANDLE job = nullptr;
  const auto closeAll = [&] {
    for (HANDLE handle : {input, hostInput, output, hostOutput, hostError}) {
      if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    }
    if (job)
      CloseHandle(job);
  };
  const auto failed = [&](const QString& reason) {
    closeAll();
    return Fail(
        TLinkText::tr("The link host could not be started (%1: %2).").arg(launch_.Program, reason));
  };
  if (!MakePipe(false, input, hostInput) || !MakePipe(true, output, hostOutput))
    return failed(SystemError(GetLastError()));
  // The host's standard error is the output file when there is one, else the manager's own.
  const HANDLE error =
      errorOutput_.File() != -1 ? Handle(errorOutput_.File()) : GetStdHandle(STD_ERROR_HANDLE);
  if (error && error != INVALID_HANDLE_VALUE &&
      !DuplicateHandle(GetCurrentProcess(), error, GetCurrentProcess(), &hostError, 0, TRUE,
                       DUPLICATE_SAME_ACCESS))
    hostError = INVALID_HANDLE_VALUE;

  job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!job ||
      !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
    return failed(SystemError(GetLastError()));

  // Only the three pipes' ends are handed down, whatever else this process holds.
  std::vector<HANDLE> inherited{hostInput, hostOutput};
  if (hostError != INVALID_HANDLE_VALUE)
    inherited.push_back(hostError);
  SIZE_T attributeSize = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeSize);
  std::vector<char> attributeMemory(attributeSize);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeMemory.data());
  const bool listed =
      InitializeProcThreadAttributeList(attributes, 1, 0, &attributeSize) &&
      UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                inherited.size() * sizeof(HANDLE), nullptr, nullptr);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = hostInput;
  startup.StartupInfo.hStdOutput = hostOutput;
  startup.StartupInfo.hStdError = hostError != INVALID_HANDLE_VALUE ? hostError : nullptr;
  if (listed)
    startup.lpAttributeList = attributes;

  QStringList words{Quoted(QDir::toNativeSeparators(launch_.Program))};
  for (const QString& argument : launch_.Arguments + libraries_)
    words << Quoted(argument);
  std::wstring commandLine = words.join(QLatin1Char(' ')).toStdWString();
  std::wstring environment = EnvironmentBlock(launch_.Environment);
  const std::wstring program = QDir::toNativeSeparators(launch_.Program).toStdWString();
  PROCESS_INFORMATION started{};
  const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT |
                      (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
  const BOOL created =
      CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags,
                     environment.data(), nullptr, &startup.StartupInfo, &started);
  const DWORD createError = GetLastError();
  if (listed)
    DeleteProcThreadAttributeList(attributes);
  if (!created)
    return failed(SystemError(createError));
  // A job refused (an older system that nests none) leaves the host ended by its closed
  // input alone.
  if (!AssignProcessToJobObject(job, started.hProcess)) {
    CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(started.hThread);
  CloseHandle(started.hThread);
  for (HANDLE* end : {&hostInput, &hostOutput, &hostError}) {
    if (*end != INVALID_HANDLE_VALUE)
      CloseHandle(*end);
    *end = INVALID_HANDLE_VALUE;
  }
  process_ = reinterpret_cast<intptr_t>(started.hProcess);
  group_ = job ? reinterpret_cast<intptr_t>(job) : -1;
  channel_.Ends().Input.Attach(input);
  channel_.Ends().Output.Attach(output);
  return true;
}

QString TLinkHostProcess::WaitForEnd(milliseconds wait) {
  if (process_ == -1)
    return endStatus_;
  if (WaitForSingleObject(Handle(process_), DWORD(wait.count())) != WAIT_OBJECT_0)
    return QString();
  DWORD code = 0;
  GetExitCodeProcess(Handle(process_), &code);
  CloseHandle(Handle(process_));
  process_ = -1;
  // An exception that ended it reads as its code, 0xC0000005, as Windows tells it.
  endStatus_ = code >= 0xC0000000u
                   ? TLinkText::tr("exit status %1")
                         .arg(QStringLiteral("0x") + QString::number(code, 16).toUpper())
                   : TLinkText::tr("exit status %1").arg(code);
  endedCleanly_ = code == 0;
  return endStatus_;
}

void TLinkHostProcess::Kill() {
  if (group_ != -1) {
    TerminateJobObject(Handle(group_), 1);
    CloseHandle(Handle(group_));
  } else if (process_ != -1) {
    TerminateProcess(Handle(process_), 1);
  }
  group_ = -1;
  if (process_ != -1) {
    WaitForSingleObject(Handle(process_), INFINITE);
    CloseHandle(Handle(process_));
  }
  process_ = -1;
  channel_.Close();
}
