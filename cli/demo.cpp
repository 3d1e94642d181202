#include "cli/demo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "cli/args.h"
#include "cli/console.h"
#include "cli/demosections.h"
#include "cli/files.h"
#include "common/errors.h"
#include "common/texts.h"
#include "phone/store.h"

namespace {

// The phone is built in a temporary folder beside its place and moved there whole, so a
// failure leaves no half-filled phone behind. A phone being replaced moves aside first and
// is removed only once the new one stands in its place.
void BuildPhone(const QString& portDir, bool replace) {
  QTemporaryDir staging(portDir + QStringLiteral("-XXXXXX"));
  if (!staging.isValid())
    throw EFCreateError(portDir);
  for (const TDemoSection& section : DemoSections()) {
    if (section.Bytes.isEmpty())
      throw TCommandFailed(
          TCliText::tr("The demo section %1 could not be made").arg(section.Address.Text()));
    WriteOutputFile(staging.filePath(section.Address.Text()), section.Bytes);
  }
  std::optional<QTemporaryDir> replaced;
  if (replace && QFileInfo::exists(portDir)) {
    replaced.emplace(portDir + QStringLiteral("-old-XXXXXX"));
    if (!replaced->isValid() || !QDir().rmdir(replaced->path()) ||
        !QDir().rename(portDir, replaced->path()))
      throw EFCreateError(portDir);
  } else {
    QDir().rmdir(portDir);  // an empty folder in the way
  }
  if (!QDir().rename(staging.path(), portDir)) {
    if (replaced)
      QDir().rename(replaced->path(), portDir);
    throw EFCreateError(portDir);
  }
  staging.setAutoRemove(false);
}

}  // namespace

int DemoCommand(const TArgs& args) {
  const QString store = args.Positional()[0];
  const QString portDir = QDir(store).filePath(QString::fromStdString(gbp::PortFolderName(1)));
  const bool replace = args.Has(QStringLiteral("force"));
  const QFileInfo port(portDir);
  // Only a real folder is replaced: removing through a link would empty its target.
  if (replace && (port.isSymLink() || (port.exists() && !port.isDir())))
    throw TCommandFailed(TCliText::tr("%1 is not a folder: nothing was changed").arg(portDir));
  if (!replace && port.exists() &&
      (!port.isDir() ||
       !QDir(portDir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))) {
    throw TCommandFailed(
        TCliText::tr("%1 already holds a phone: nothing was changed (--force replaces it)")
            .arg(portDir));
  }
  if (!QDir().mkpath(store))
    throw EFCreateError(store);
  BuildPhone(portDir, replace);
  PrintErr(TCliText::tr("Demo phone created in %1").arg(portDir));
  return exitOk;
}
