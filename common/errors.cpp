#include "common/errors.h"

#include "common/modal.h"
#include "common/texts.h"

Exception::Exception(QString message, QString reason)
    : message_(std::move(message)), reason_(std::move(reason)), utf8_(message_.toUtf8()) {}

EConvertError EConvertError::NotAnInteger(const QString& text) {
  return EConvertError(TCommonText::tr("'%1' is not a valid integer value").arg(text));
}

EFOpenError::EFOpenError(const QString& fileName, const QString& reason)
    : Exception(TCommonText::tr("Cannot open file %1").arg(fileName), reason) {}

EFCreateError::EFCreateError(const QString& fileName, const QString& reason)
    : Exception(TCommonText::tr("Cannot create file %1").arg(fileName), reason) {}

EIniFileException::EIniFileException(const QString& fileName)
    : Exception(TCommonText::tr("Unable to write to %1").arg(fileName)) {}

QString WithFullStop(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.'))
    return message + QLatin1Char('.');
  return message;
}

void GuardCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const Exception& error) {
    Modal().ShowError(WithFullStop(error.Message()));
  } catch (const std::exception& error) {
    Modal().ShowError(WithFullStop(QString::fromLocal8Bit(error.what())));
  }
}
