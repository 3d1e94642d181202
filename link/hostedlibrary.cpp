#include "link/hostedlibrary.h"

#include <QDir>
#include <QFileInfo>
#include <chrono>

#include "common/texts.h"
#include "link/hostprocess.h"
#include "link/libraryfile.h"
#include "link/librarysearch.h"
#include "link/winehost.h"
#ifndef _WIN32
#include "link/wine32.h"
#include "link/wineports.h"
#endif

namespace {

// How the host's messages name a call: "ReadNVMFile 18-9", "InitGBPMode on COM1".
QString CallWhat(TGBPEntry entry, quint32 first, quint32 second) {
  const char* name = linkhost::kEntryNames[int(entry)];
  switch (entry) {
    case TGBPEntry::InitGBPMode:
      //: %1 is the call's name, InitGBPMode; %2 the port's number
      return TLinkText::tr("%1 on COM%2").arg(QLatin1String(name)).arg(first);
    case TGBPEntry::EndGBPMode:
      return QLatin1String(name);
    default:
      return QStringLiteral("%1 %2-%3").arg(QLatin1String(name)).arg(first).arg(second);
  }
}

QString HostNotStartedText() {
  return TLinkText::tr("the link host did not start");
}

qint64 SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

THostedLibrary::THostedLibrary(const TLinkChoice& choice, int windowsBits, const QString& refusal)
    : TGBPLibrary(choice), windowsBits_(windowsBits), refused_(!refusal.isEmpty()) {
  loadProblem_ = refusal;
  exportsNotChecked_ = refused_ ? NotLoadedText() : HostNotStartedText();
}

THostedLibrary::~THostedLibrary() = default;

bool THostedLibrary::Load() {
  if (NeedsLoad())
    StartHost();
  return Usable();
}

bool THostedLibrary::NeedsLoad() const {
  return !refused_ && !(host_ && host_->Running());
}

bool THostedLibrary::Usable() const {
  return (hostExports_ & linkhost::kRequiredMask) == linkhost::kRequiredMask;
}

bool THostedLibrary::Has(TGBPEntry entry) const {
  return (hostExports_ >> int(entry)) & 1u;
}

bool THostedLibrary::DemoPhone() const {
  return (hostExports_ & linkhost::kDemoPhoneMark) != 0;
}

QString THostedLibrary::FileName() const {
  if (windowsBits_ != 0 || refused_)
    return choice_.Library;
  return hostLibrary_.isEmpty() ? HostLibraryCandidates(choice_.Library).constFirst()
                                : hostLibrary_;
}

QString THostedLibrary::HowItRuns() const {
  if (refused_)
    return NotRunText();
  if (UnderWine())
    return TLinkText::tr("in the %1-bit link host under Wine").arg(windowsBits_);
  if (windowsBits_ != 0)
    return TLinkText::tr("in the %1-bit link host").arg(windowsBits_);
  return TLinkText::tr("in the link host");
}

void THostedLibrary::SetNotice(std::function<void(const QString&)> notice) {
  notice_ = std::move(notice);
}

TWine THostedLibrary::Wine() const {
  return FindWine(windowsBits_);
}

// The host's Windows code opens COMn: under Wine the prefix must say which device that is
// first.
TLinkStatus THostedLibrary::PrepareOpen() {
#ifdef _WIN32
  return TLinkStatus{};
#else
  return UnderWine()
             ? ApplyWinePorts(Wine(), choice_.Serial, TWineWatch{choice_.TimeoutFactor, cancel_})
             : TLinkStatus{};
#endif
}

bool THostedLibrary::CanEnd() const {
  return Usable() && host_ && host_->Running();
}

struct THostedLibrary::TLaunchPlan {
  THostLaunch Launch;
  QString Problem;
};

THostedLibrary::TLaunchPlan THostedLibrary::PlanLaunch() {
  // The host of the program's own kind is named for its width on Windows.
  const QString native =
      kWindowsBuild ? WindowsHostName(kInProcessWindowsBits) : QStringLiteral("kiv-linkhost");
  const QString name = windowsBits_ != 0 ? WindowsHostName(windowsBits_) : native;
  const QStringList places =
      choice_.HostProgram.isEmpty() ? HostProgramPlaces(name) : QStringList{choice_.HostProgram};
  const QString program =
      choice_.HostProgram.isEmpty() ? HostProgramFile(name) : choice_.HostProgram;
  // Told by name before anything starts: Wine would only say "c0000135".
  if (!QFileInfo(program).isFile())
    return {{}, MissingHostText(places)};
  if (!UnderWine())
    return {THostLaunch{program, {}, {}}, {}};
#ifdef _WIN32
  // On Windows every host runs as it is: nothing below is reached.
  return {THostLaunch{program, {}, {}}, {}};
#else
  const TWine wine = Wine();
  if (!wine.Found())
    return {{}, WineMissingText(wine)};
  if (!wine.PrefixMade && notice_)
    notice_(WinePrefixSetupText(wine));
  if (windowsBits_ == 32) {
    const QString notReady =
        Ready32BitPrefix(wine, TWineWatch{choice_.TimeoutFactor, cancel_}, notice_);
    if (!notReady.isEmpty())
      return {{}, notReady};
  }
  return {WineLaunch(wine, program), {}};
#endif
}

void THostedLibrary::StartHost() {
  hostExports_ = 0;
  exportsNotChecked_ = HostNotStartedText();
  const TLaunchPlan plan = PlanLaunch();
  if (!plan.Problem.isEmpty()) {
    loadProblem_ = plan.Problem;
    return;
  }
  // Windows code names the file by a drive and backslashes: Wine's Z: is the root.
  const QString absolute = QFileInfo(choice_.Library).absoluteFilePath();
  QStringList libraries = HostLibraryCandidates(choice_.Library);
  if (UnderWine())
    libraries = {QStringLiteral("Z:") +
                 QString(absolute).replace(QLatin1Char('/'), QLatin1Char('\\'))};
  else if (windowsBits_ != 0)
    libraries = {QDir::toNativeSeparators(absolute)};
  host_ = std::make_unique<TLinkHostProcess>(plan.Launch, libraries, choice_.TimeoutFactor);
  host_->SetCancel(cancel_);
  const TLinkStatus started = host_->Start();
  if (started.HostFailed()) {
    QStringList problem{started.Why, started.Detail};
#ifndef _WIN32
    // The system's own refusal says nothing of 32-bit programs; silent, with status 0, is how
    // a Wine without 32-bit support ends one.
    const bool wine32 = UnderWine() && windowsBits_ == 32;
    if (wine32 && !KernelRuns32Bit(Wine(), TWineWatch{choice_.TimeoutFactor, cancel_}))
      problem = QStringList{Kernel32BitText()};
    else if (wine32 && host_->EndedCleanly())
      problem << Wine32StartHint();
#endif
    problem.removeAll(QString());
    loadProblem_ = problem.join(QLatin1Char('\n'));
    host_.reset();
    return;
  }
  const linkhost::THello& hello = host_->Hello();
  hostLibrary_ = QString::fromLocal8Bit(hello.library.c_str());
  hostExports_ = hello.loaded ? hello.exports : 0;
  exportsNotChecked_ = hello.loaded ? QString() : NotLoadedText();
  loadProblem_ = QString::fromLocal8Bit(hello.reason.c_str());
  // A host without a usable library has nothing to answer.
  if (!Usable())
    host_.reset();
}

bool THostedLibrary::CallOverdue() const {
  const qint64 started = callStartedMs_;
  return started != 0 && SteadyMs() - started > ExpectedCallMs(callBytes_, choice_.TimeoutFactor);
}

void THostedLibrary::SetCancel(const std::atomic<bool>* flag) {
  cancel_ = flag;
  if (host_)
    host_->SetCancel(flag);
}

TLinkStatus THostedLibrary::Invoke(TGBPEntry entry, quint32 first, quint32 second, const void* data,
                                   void* buffer, quint32 length) {
  TLinkStatus status{GBPPortMustBeOpened, entry, TLinkReason::None, {}, {}};
  if (!host_ || !host_->Running())
    return status;
  // More than one frame carries: the arguments are wrong, the host is not to blame.
  status.Code = GBPInvalidArguments;
  if (length > linkhost::kMaxData)
    return status;
  linkhost::TCall call;
  call.entry = static_cast<uint8_t>(entry);
  call.first = first;
  call.second = second;
  call.length = length;
  callBytes_ = entry == TGBPEntry::ReadNVMFile || entry == TGBPEntry::WriteNVMFile ? length : 0;
  callStartedMs_ = SteadyMs();
  status = host_->Call(call, data, buffer, CallWhat(entry, first, second));
  callStartedMs_ = 0;
  if (!status.HostFailed())
    return status;
  // A host that ended by itself with status 0 has closed the link already: ending the link
  // then is no fault.
  const bool endedAlready = entry == TGBPEntry::EndGBPMode && host_->EndedCleanly();
  host_.reset();
  return endedAlready ? TLinkStatus{0, entry, TLinkReason::None, {}, {}} : status;
}
