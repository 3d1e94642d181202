#include "tests/cli/kivnvmphonetest.h"

#include <QtTest>

void TKivnvmPhoneTest::init() {
  phone_ = std::make_unique<TVirtualPhone>();
  work_ = std::make_unique<QTemporaryDir>();
}

void TKivnvmPhoneTest::cleanup() {
  phone_.reset();
}

void TKivnvmPhoneTest::MakeDemoPhone() {
  QCOMPARE(kivnvm_.Run({"demo", phone_->StoreDir()}).ExitCode, 0);
  phone_->ClearJournal();
}
