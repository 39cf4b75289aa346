#pragma once
// The command line of kvtk-cli: how panels are reached, the exchange
// options and one command with its own options. Parsing never touches a
// panel or a file; anything malformed is a usage error in words.

#include <optional>
#include <string>
#include <vector>

namespace kvtk::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoPanel = 3;
inline constexpr int kExitFileError = 4;
// Stopped by SIGINT (Ctrl+C) or SIGTERM, as a shell reports an interrupt.
inline constexpr int kExitStopped = 130;

enum class LinkKind { None, Port, Relay, Demo };

struct ConnectionOptions {
    LinkKind Kind = LinkKind::None;
    std::string Port;          // --port PATH
    std::string Relay;         // --relay HOST[:PORT]
    std::string User;          // --user NAME
    std::string PasswordFile;  // --password-file FILE (else KVTK_RELAY_PASSWORD)
};

// A group switch of the groups command, in command-line order.
struct GroupAction {
    enum Kind { On, Off, AllOn, AllOff } What = On;
    int Group = 0;
};

struct CliRequest {
    ConnectionOptions Connection;
    int Address = 1;
    int TimeoutMs = 500;
    int Attempts = 2;
    bool Trace = false;
    bool Verbose = false;
    bool SkipFailed = false;

    bool Help = false;     // --help: for the command when one is named
    bool Version = false;  // --version
    std::string Command;

    // Command operands and options.
    std::string File;         // write, verify, report: FILE
    std::string Output;       // read, report: -o ("-" for standard output: report's text)
    std::string Paper;        // report: --paper a4|letter|legal; empty for the default
    std::string Description;  // read: --desc
    bool Quick = false;       // scan: short tries first
    int First = 0;            // scan
    int Last = 255;
    bool NoHeader = false;  // write
    bool NoInputs = false;
    bool NoGroups = false;
    std::optional<int> GroupCount;       // write, report: --groups
    std::optional<int> SaveWaitSeconds;  // write: --save-wait
    int NewAddress = 0;                  // set-address
    bool Clear = false;                  // bad-relays
    std::vector<GroupAction> Groups;     // groups
    std::string PanelCommand;            // send
    bool Json = false;                   // scan, identify, verify, bad-relays, groups, inputs
    std::string BackupFolder;            // write, set-address: --backup; backup-all: DIR
    bool NoBackup = false;               // write, set-address
    bool VerifyAfterWrite = false;       // write: --verify
    bool ChangesOnly = false;            // write, site write: --changes-only
    bool DryRun = false;                 // write: --dry-run
    bool ForceProduct = false;           // write: --force-product
    std::string NamesAction;             // names: "export" or "import"
    std::string NamesCsv;                // names import: the CSV file
    std::string SiteAction;              // site: "status", "write", "backup" or "report"
    std::string SiteFolder;              // site: DIR
    std::vector<int> Only;               // site write: --only A[,B...]
};

struct ParseResult {
    CliRequest Request;
    std::string Error;  // a usage error in words; empty when parsed
    bool Ok() const { return Error.empty(); }
};

ParseResult ParseArguments(const std::vector<std::string>& args);

// Commands that talk to a panel (all but report, names and help).
bool NeedsPanel(const std::string& command);
// Whether this run opens the line: a command that talks to a panel, or
// `site report` given a connection (it then compares before it prints).
bool OpensLine(const CliRequest& request);
bool IsKnownCommand(const std::string& command);

// Texts of --help: the program's and each command's.
std::string ProgramHelp();
std::string CommandHelp(const std::string& command);

}  // namespace kvtk::cli
