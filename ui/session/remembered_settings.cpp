#include "ui/session/remembered_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "files/file_access.h"

namespace kvtk {
namespace {

// Far more than the few values kept here.
constexpr std::uintmax_t kMaxSettingsBytes = 1024 * 1024;

const QString kConnection = QStringLiteral("connection/choice");
const QString kAddress = QStringLiteral("connection/address");
const QString kPortName = QStringLiteral("connection/port");
const QString kRelayHost = QStringLiteral("relay/host");
const QString kRelayUser = QStringLiteral("relay/user");
const QString kLastFolder = QStringLiteral("files/folder");
const QString kMaxResponseMs = QStringLiteral("exchange/maxResponseMs");
const QString kAttempts = QStringLiteral("exchange/attempts");
const QString kBackupBeforeWrite = QStringLiteral("write/backup");
const QString kVerifyAfterWrite = QStringLiteral("write/verify");
const QString kChangesOnly = QStringLiteral("write/changesOnly");
const QString kQuickScan = QStringLiteral("scan/quick");
const QString kPrinterName = QStringLiteral("print/printer");
const QString kRecentFiles = QStringLiteral("files/recent");
const QString kSiteFolder = QStringLiteral("site/folder");
const QString kMainWindowGeometry = QStringLiteral("window/main");

// A whole number within the limits the windows accept; anything else keeps
// the default.
void ReadNumber(const QSettings& store, const QString& key, int low, int high, int& value) {
    bool ok = false;
    const int stored = store.value(key).toString().trimmed().toInt(&ok);
    if (ok && stored >= low && stored <= high) value = stored;
}

// "true" or "false" as QSettings writes them; anything else keeps the default.
void ReadFlag(const QSettings& store, const QString& key, bool& value) {
    const QString stored = store.value(key).toString().trimmed();
    if (stored == QLatin1String("true")) value = true;
    if (stored == QLatin1String("false")) value = false;
}

void ReadText(const QSettings& store, const QString& key, QString& value) {
    const QVariant stored = store.value(key);
    if (stored.canConvert<QString>()) value = stored.toString();
}

}  // namespace

RememberedSettings::RememberedSettings() = default;

RememberedSettings::RememberedSettings(std::unique_ptr<QSettings> store)
    : store_(std::move(store)) {
    Load();
}

RememberedSettings::~RememberedSettings() = default;

std::unique_ptr<RememberedSettings> RememberedSettings::ForUser() {
    // QSettings reads its file as it is made: a named pipe there would stop
    // the start for ever, a device would never end. Such a store is not used.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/kvtk/kvtk.conf");
    std::string text;
    if (QFileInfo::exists(path) &&
        !ReadWholeFile(QFile::encodeName(path).toStdString(), text, kMaxSettingsBytes).Ok())
        return std::make_unique<RememberedSettings>();
    return std::make_unique<RememberedSettings>(
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                    QStringLiteral("kvtk"), QStringLiteral("kvtk")));
}

void RememberedSettings::Load() {
    // A store that could not be read or parsed holds nothing to trust.
    if (!store_ || store_->status() != QSettings::NoError) return;
    const QSettings& store = *store_;
    ReadNumber(store, kConnection, 0, 5, values_.Connection);
    ReadNumber(store, kAddress, 0, 255, values_.Address);
    ReadText(store, kPortName, values_.PortName);
    ReadText(store, kRelayHost, values_.RelayHost);
    ReadText(store, kRelayUser, values_.RelayUser);
    ReadText(store, kLastFolder, values_.LastFolder);
    ReadNumber(store, kMaxResponseMs, 1, 60000, values_.MaxResponseMs);
    ReadNumber(store, kAttempts, 0, 99, values_.Attempts);
    ReadFlag(store, kBackupBeforeWrite, values_.BackupBeforeWrite);
    ReadFlag(store, kVerifyAfterWrite, values_.VerifyAfterWrite);
    ReadFlag(store, kChangesOnly, values_.ChangesOnly);
    ReadFlag(store, kQuickScan, values_.QuickScan);
    ReadText(store, kPrinterName, values_.PrinterName);
    if (const QVariant recent = store.value(kRecentFiles); recent.canConvert<QStringList>())
        values_.RecentFiles = recent.toStringList();
    ReadText(store, kSiteFolder, values_.SiteFolder);
    values_.MainWindowGeometry = store.value(kMainWindowGeometry).toByteArray();
}

void RememberedSettings::Save() {
    if (!store_) return;
    QSettings& store = *store_;
    store.setValue(kConnection, values_.Connection);
    store.setValue(kAddress, values_.Address);
    store.setValue(kPortName, values_.PortName);
    store.setValue(kRelayHost, values_.RelayHost);
    store.setValue(kRelayUser, values_.RelayUser);
    store.setValue(kLastFolder, values_.LastFolder);
    store.setValue(kMaxResponseMs, values_.MaxResponseMs);
    store.setValue(kAttempts, values_.Attempts);
    store.setValue(kBackupBeforeWrite, values_.BackupBeforeWrite);
    store.setValue(kVerifyAfterWrite, values_.VerifyAfterWrite);
    store.setValue(kChangesOnly, values_.ChangesOnly);
    store.setValue(kQuickScan, values_.QuickScan);
    store.setValue(kPrinterName, values_.PrinterName);
    store.setValue(kRecentFiles, values_.RecentFiles);
    store.setValue(kSiteFolder, values_.SiteFolder);
    store.setValue(kMainWindowGeometry, values_.MainWindowGeometry);
    // QSettings replaces its file in one step (written beside it, renamed).
    store.sync();
}

}  // namespace kvtk
