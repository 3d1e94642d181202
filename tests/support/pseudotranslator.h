#pragma once
// A catalogue made up by the test: while one lives, every text the program translates comes
// out as the given function makes it from its context and source, so a test sees what goes
// through the catalogue, and how longer words sit, without a compiled catalogue.

#include <QCoreApplication>
#include <QTranslator>
#include <functional>

class TPseudoTranslator final : public QTranslator {
 public:
  using TMaker = std::function<QString(const QString& context, const QString& source)>;

  explicit TPseudoTranslator(TMaker make) : make_(std::move(make)) {
    QCoreApplication::installTranslator(this);
  }
  ~TPseudoTranslator() override { QCoreApplication::removeTranslator(this); }
  TPseudoTranslator(const TPseudoTranslator&) = delete;
  TPseudoTranslator& operator=(const TPseudoTranslator&) = delete;

  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    return make_(QString::fromUtf8(context), QString::fromUtf8(source));
  }

 private:
  TMaker make_;
};
