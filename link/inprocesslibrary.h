#pragma once
// The phone-link library loaded in this process: its calls are direct, quick and without
// deadlines, and a library that crashes takes the program with it.

#include <QLibrary>

#include "link/gbplibrary.h"

class TInProcessLibrary final : public TGBPLibrary {
 public:
  // Loads the chosen file, or the search's when none is chosen; refusal: why the chosen
  // file is no library to load, which then is not tried.
  TInProcessLibrary(const TLinkChoice& choice, const QString& refusal);
  ~TInProcessLibrary() override;  // unloads the library

  bool Load() override { return Usable(); }
  bool NeedsLoad() const override { return false; }
  bool Usable() const override;
  bool Has(TGBPEntry entry) const override;
  QString ExportsNotChecked() const override;
  QString FileName() const override;
  bool Isolated() const override { return false; }
  bool DemoPhone() const override { return demoPhone_; }
  QString HowItRuns() const override;

 protected:
  TLinkStatus Invoke(TGBPEntry entry, quint32 first, quint32 second, const void* data, void* buffer,
                     quint32 length) override;

 private:
  void LoadFile(const QString& fileName);

  QLibrary library_;
  bool refused_ = false;
  bool demoPhone_ = false;
  TInitGBPMode initGBPMode_ = nullptr;
  TEndGBPMode endGBPMode_ = nullptr;
  TReadNVMFile readNVMFile_ = nullptr;
  TWriteNVMFile writeNVMFile_ = nullptr;
  TClearNVMFile clearNVMFile_ = nullptr;
  TGetNVMFileSize getNVMFileSize_ = nullptr;
};
