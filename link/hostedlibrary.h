#pragma once
// The phone-link library run in the link host (kiv-linkhost): natively, or the Windows host
// of the library's width under Wine. Every call has a deadline, a crash takes only the host,
// and a call the host could not answer loses the link.

#include <atomic>
#include <memory>

#include "link/gbplibrary.h"
#include "link/winehost.h"

class TLinkHostProcess;
struct THostLaunch;

class THostedLibrary final : public TGBPLibrary {
 public:
  // windowsBits: the width of the Windows host under Wine, 0 for the native host; refusal:
  // why the chosen file is no library a host can load, which then starts no host.
  THostedLibrary(const TLinkChoice& choice, int windowsBits, const QString& refusal);
  ~THostedLibrary() override;  // ends the host

  bool Load() override;
  bool NeedsLoad() const override;
  bool Usable() const override;
  bool Has(TGBPEntry entry) const override;
  QString ExportsNotChecked() const override { return exportsNotChecked_; }
  QString FileName() const override;
  bool Isolated() const override { return true; }
  bool DemoPhone() const override;
  bool UnderWine() const override { return windowsBits_ != 0 && kHostsRunUnderWine; }
  TWine Wine() const override;
  QString HowItRuns() const override;
  void SetNotice(std::function<void(const QString&)> notice) override;
  void SetCancel(const std::atomic<bool>* flag) override;
  bool CallOverdue() const override;

 protected:
  TLinkStatus PrepareOpen() override;
  bool CanEnd() const override;
  // The library's result, or -4 after a failure of the host, with the failure.
  TLinkStatus Invoke(TGBPEntry entry, quint32 first, quint32 second, const void* data, void* buffer,
                     quint32 length) override;

 private:
  void StartHost();
  // How the host starts, or why it cannot (Wine or the host missing).
  struct TLaunchPlan;
  TLaunchPlan PlanLaunch();

  std::unique_ptr<TLinkHostProcess> host_;
  quint8 hostExports_ = 0;  // from the last host's hello
  QString exportsNotChecked_;
  QString hostLibrary_;
  int windowsBits_ = 0;
  bool refused_ = false;
  std::function<void(const QString&)> notice_;
  const std::atomic<bool>* cancel_ = nullptr;
  // The call of the link host under way, for CallOverdue from another thread.
  std::atomic<qint64> callStartedMs_{0};  // steady clock; 0: none under way
  std::atomic<quint32> callBytes_{0};
};
