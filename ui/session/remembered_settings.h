#pragma once
// What the tool remembers from one run to the next: the connection choice
// and address, the relay server's host and user (never the password), the
// folder of the last file dialog, the exchange's response time and attempts,
// the write options' backup, verify and changes-only boxes, the quick scan box, the printer
// chosen for reports, the files opened or saved last, the Site window's folder and the main
// window's geometry. Kept with QSettings in the platform's usual place; a missing, damaged or
// unreadable store gives the defaults, value by value.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "comm/exchange_settings.h"

class QSettings;

namespace kvtk {

struct RememberedValues {
    int Connection = 0;  // the connect dialog's choice, 0 offline .. 5 relay server
    QString PortName;    // its port's stable name (or device), for a serial choice
    int Address = 1;
    QString RelayHost;
    QString RelayUser;
    QString LastFolder;
    int MaxResponseMs = ExchangeSettings::kDefaultMaxResponseMs;
    int Attempts = ExchangeSettings::kDefaultAttempts;
    bool BackupBeforeWrite = true;
    bool VerifyAfterWrite = false;
    bool ChangesOnly = false;  // "Write only the changes"
    bool QuickScan = false;    // the connect dialog's "Quick" box
    QString PrinterName;       // empty: the default printer
    QStringList RecentFiles;   // newest first
    QString SiteFolder;        // the Site window's folder
    QByteArray MainWindowGeometry;
};

class RememberedSettings {
public:
    // Remembers nothing: starts from the defaults and writes nothing
    // (--no-settings).
    RememberedSettings();
    // Reads `store` now and writes to it on Save().
    explicit RememberedSettings(std::unique_ptr<QSettings> store);
    ~RememberedSettings();
    RememberedSettings(const RememberedSettings&) = delete;
    RememberedSettings& operator=(const RememberedSettings&) = delete;

    // The user's own store ($XDG_CONFIG_HOME/kvtk/kvtk.conf on Linux).
    static std::unique_ptr<RememberedSettings> ForUser();

    RememberedValues& Values() { return values_; }
    const RememberedValues& Values() const { return values_; }
    // Writes the values to the store, if there is one.
    void Save();

private:
    void Load();

    std::unique_ptr<QSettings> store_;
    RememberedValues values_;
};

}  // namespace kvtk
