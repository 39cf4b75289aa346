#include "app/cli/cli_args.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

#include "comm/relay_connection.h"
#include "files/windows1252.h"
#include "model/printable_text.h"

namespace kvtk::cli {
namespace {

struct CommandInfo {
    const char* Name;
    const char* Usage;
    const char* Summary;
};

constexpr std::array<CommandInfo, 17> kCommands{{
    {"identify", "identify [--json]", "Print the status of the panel at the address."},
    {"scan", "scan [--quick] [--first A] [--last B] [--json]",
     "List the panels that answer in an address range."},
    {"read", "read -o FILE [--desc TEXT]", "Read the panel's configuration into a .kvx file."},
    {"write",
     "write FILE [--no-header] [--no-inputs] [--no-groups] [--groups N] [--save-wait S]\n"
     "       [--backup DIR | --no-backup] [--verify] [--changes-only] [--dry-run]\n"
     "       [--force-product]",
     "Write a .kvx file to the panel and save it to its EEPROM."},
    {"verify", "verify FILE [--json]", "Compare the panel's configuration with a .kvx file."},
    {"reset", "reset", "Restart the panel and wait while it starts up."},
    {"set-address", "set-address NEW [--backup DIR | --no-backup]",
     "Give the panel a new address (1 to 255)."},
    {"bad-relays", "bad-relays [--clear] [--json]", "List the relays the panel flags as bad."},
    {"groups", "groups [--on G]... [--off G]... [--all-on] [--all-off] [--json]",
     "Switch groups, then list every group's state."},
    {"inputs", "inputs [--json]", "List the active inputs (and analog values from firmware 4.00)."},
    {"backup-all", "backup-all DIR [--first A] [--last B]",
     "Read every panel found in an address range into DIR."},
    {"send", "send COMMAND", "Send one command and print the reply."},
    {"report", "report FILE -o OUT.txt|OUT.pdf|- [--groups N] [--paper a4|letter|legal]",
     "Print the report of a .kvx file as text or PDF."},
    {"names", "names export FILE.kvx [-o names.csv] | names import FILE.kvx names.csv [-o OUT.kvx]",
     "Export or import the input and group names as CSV."},
    {"ports", "ports [--json]", "List the serial ports and whether you can open them."},
    {"site", "site status|write|backup|report DIR [options]",
     "Compare, write, back up or report every panel of a folder of .kvx files."},
    {"help", "help [COMMAND]", "Show help."},
}};

const CommandInfo* FindCommand(const std::string& name) {
    for (const CommandInfo& info : kCommands)
        if (name == info.Name) return &info;
    return nullptr;
}

bool TakesJson(const std::string& command) {
    for (const char* name :
         {"scan", "identify", "verify", "bad-relays", "groups", "inputs", "ports"})
        if (command == name) return true;
    return false;
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// Walks the arguments; options take their value from the next argument or
// after "=".
class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParseResult Run() {
        std::vector<std::string> operands;
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size() && error_.empty(); ++index_) {
            std::string arg = args_[index_];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                if (r_.Command.empty())
                    r_.Command = arg;
                else
                    operands.push_back(arg);
                continue;
            }
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            inlineValue_.reset();
            if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
                inlineValue_ = arg.substr(eq + 1);
                arg.resize(eq);
            }
            if (!GlobalOption(arg) && !CommandOption(arg))
                Fail("unknown option " + arg + (r_.Command.empty() ? "" : " for " + r_.Command));
        }
        if (error_.empty()) Finish(operands);
        return {r_, error_};
    }

private:
    void Fail(const std::string& text) {
        if (error_.empty()) error_ = text;
    }

    std::optional<std::string> Value(const std::string& option) {
        if (inlineValue_) return *inlineValue_;
        if (index_ + 1 >= args_.size()) {
            Fail(option + " needs a value");
            return std::nullopt;
        }
        return args_[++index_];
    }

    // The command line is UTF-8 (the locale's text); the core keeps 8-bit
    // text, so text for it is converted here, once, or refused in words.
    std::string CoreText(const std::string& what, const std::string& utf8, bool printable) {
        const Windows1252Text text = Utf8ToWindows1252(utf8);
        if (text.Failure == Windows1252Text::Problem::NotUtf8) {
            Fail(what + " is not UTF-8 text");
        } else if (text.Failure == Windows1252Text::Problem::NoByte) {
            Fail(what + ": the character " + CodePointText(text.Refused) +
                 " cannot be stored in the panel's 8-bit text (Windows-1252)");
        } else if (const auto control = ControlCharacterIn(text.Text); printable && control) {
            Fail(what + " holds " + *control + "; " + kPrintableTextRule);
        }
        return text.Text;
    }

    std::optional<int> Number(const std::string& option, int low, int high) {
        const auto text = Value(option);
        if (!text) return std::nullopt;
        const auto value = ParseInt(*text);
        if (!value || *value < low || *value > high) {
            Fail(option + " takes a whole number from " + std::to_string(low) + " to " +
                 std::to_string(high) + ", not \"" + *text + "\"");
            return std::nullopt;
        }
        return value;
    }

    void Connection(LinkKind kind, const std::string& option) {
        if (r_.Connection.Kind != LinkKind::None && r_.Connection.Kind != kind)
            Fail("choose one of --port, --relay and --demo (" + option + " given as well)");
        r_.Connection.Kind = kind;
    }

    bool GlobalOption(const std::string& arg) {
        if (arg == "--port") {
            Connection(LinkKind::Port, arg);
            if (auto v = Value(arg)) r_.Connection.Port = *v;
            if (r_.Connection.Port.empty()) Fail("--port needs a device PATH");
        } else if (arg == "--relay") {
            Connection(LinkKind::Relay, arg);
            if (auto v = Value(arg)) r_.Connection.Relay = *v;
            QString host;
            quint16 port = 0;
            if (!RelayConnection::ParseServer(QString::fromLocal8Bit(r_.Connection.Relay), host,
                                              port))
                Fail("--relay takes HOST or HOST:PORT with a port from 1 to 65535, not \"" +
                     r_.Connection.Relay + "\"");
        } else if (arg == "--demo") {
            Connection(LinkKind::Demo, arg);
        } else if (arg == "--user") {
            if (auto v = Value(arg)) r_.Connection.User = *v;
        } else if (arg == "--password-file") {
            if (auto v = Value(arg)) r_.Connection.PasswordFile = *v;
            if (r_.Connection.PasswordFile.empty()) Fail("--password-file needs a FILE");
        } else if (arg == "-a" || arg == "--address") {
            if (auto v = Number(arg, 0, 255)) r_.Address = *v;
        } else if (arg == "--timeout") {
            if (auto v = Number(arg, 1, 600000)) r_.TimeoutMs = *v;
        } else if (arg == "--attempts") {
            if (auto v = Number(arg, 1, 100)) r_.Attempts = *v;
        } else if (arg == "--trace") {
            r_.Trace = true;
        } else if (arg == "-v" || arg == "--verbose") {
            r_.Verbose = true;
        } else if (arg == "--skip-failed") {
            r_.SkipFailed = true;
        } else if (arg == "-h" || arg == "--help") {
            r_.Help = true;
        } else if (arg == "--version") {
            r_.Version = true;
        } else {
            return false;
        }
        return true;
    }

    bool CommandOption(const std::string& arg) {
        const std::string& c = r_.Command;
        if ((c == "read" || c == "report" || c == "names") && (arg == "-o" || arg == "--output")) {
            if (auto v = Value(arg)) r_.Output = *v;
        } else if (c == "read" && arg == "--desc") {
            if (auto v = Value(arg)) r_.Description = CoreText(arg, *v, true);
        } else if (c == "site" && SiteOption(arg)) {
        } else if (c == "scan" && arg == "--quick") {
            r_.Quick = true;
        } else if ((c == "scan" || c == "backup-all") && arg == "--first") {
            if (auto v = Number(arg, 0, 255)) r_.First = *v;
        } else if ((c == "scan" || c == "backup-all") && arg == "--last") {
            if (auto v = Number(arg, 0, 255)) r_.Last = *v;
        } else if (c == "write" && arg == "--no-header") {
            r_.NoHeader = true;
        } else if (c == "write" && arg == "--no-inputs") {
            r_.NoInputs = true;
        } else if (c == "write" && arg == "--no-groups") {
            r_.NoGroups = true;
        } else if ((c == "write" || c == "report") && arg == "--groups") {
            if (auto v = Number(arg, 0, 60)) r_.GroupCount = *v;
        } else if (c == "report" && arg == "--paper") {
            if (auto v = Value(arg)) r_.Paper = *v;
            if (r_.Paper != "a4" && r_.Paper != "letter" && r_.Paper != "legal")
                Fail("--paper takes a4, letter or legal, not \"" + r_.Paper + "\"");
        } else if (c == "write" && arg == "--save-wait") {
            if (auto v = Number(arg, 0, 3600)) r_.SaveWaitSeconds = *v;
        } else if (TakesJson(c) && arg == "--json") {
            r_.Json = true;
        } else if ((c == "write" || c == "set-address") && arg == "--backup") {
            if (auto v = Value(arg)) r_.BackupFolder = *v;
            if (r_.BackupFolder.empty()) Fail("--backup needs a folder");
        } else if ((c == "write" || c == "set-address") && arg == "--no-backup") {
            r_.NoBackup = true;
        } else if (c == "write" && arg == "--verify") {
            r_.VerifyAfterWrite = true;
        } else if (c == "write" && arg == "--changes-only") {
            r_.ChangesOnly = true;
        } else if (c == "write" && arg == "--dry-run") {
            r_.DryRun = true;
        } else if (c == "write" && arg == "--force-product") {
            r_.ForceProduct = true;
        } else if (c == "bad-relays" && arg == "--clear") {
            r_.Clear = true;
        } else if (c == "groups" && (arg == "--on" || arg == "--off")) {
            if (auto v = Number(arg, 1, 60))
                r_.Groups.push_back({arg == "--on" ? GroupAction::On : GroupAction::Off, *v});
        } else if (c == "groups" && (arg == "--all-on" || arg == "--all-off")) {
            r_.Groups.push_back({arg == "--all-on" ? GroupAction::AllOn : GroupAction::AllOff, 0});
        } else {
            return false;
        }
        return true;
    }

    // Every site option is taken here; Finish checks it fits the action.
    bool SiteOption(const std::string& arg) {
        if (arg == "--quick") {
            r_.Quick = true;
        } else if (arg == "--json") {
            r_.Json = true;
        } else if (arg == "--verify") {
            r_.VerifyAfterWrite = true;
        } else if (arg == "--changes-only") {
            r_.ChangesOnly = true;
        } else if (arg == "--save-wait") {
            if (auto v = Number(arg, 0, 3600)) r_.SaveWaitSeconds = *v;
        } else if (arg == "--backup") {
            if (auto v = Value(arg)) r_.BackupFolder = *v;
            if (r_.BackupFolder.empty()) Fail("--backup needs a folder");
        } else if (arg == "-o" || arg == "--output") {
            if (auto v = Value(arg)) r_.Output = *v;
        } else if (arg == "--only") {
            if (auto v = Value(arg)) OnlyList(*v);
        } else {
            return false;
        }
        site_options_.push_back(arg);
        return true;
    }

    void OnlyList(const std::string& list) {
        size_t start = 0;
        while (start <= list.size()) {
            const size_t comma = std::min(list.find(',', start), list.size());
            const std::string item = list.substr(start, comma - start);
            const auto address = ParseInt(item);
            if (!address || *address < 0 || *address > 255)
                return Fail("--only takes addresses from 0 to 255 separated by \",\", not \"" +
                            list + "\"");
            r_.Only.push_back(*address);
            start = comma + 1;
        }
    }

    void SiteOperands(const std::vector<std::string>& operands) {
        static const std::map<std::string, std::vector<std::string>> kOptions{
            {"status", {"--quick", "--json"}},
            {"write", {"--only", "--changes-only", "--verify", "--save-wait", "--backup"}},
            {"backup", {"--backup"}},
            {"report", {"-o", "--output"}},
        };
        const std::string action = operands.empty() ? "" : operands[0];
        const auto allowed = kOptions.find(action);
        if (allowed == kOptions.end())
            return Fail("site needs status, write, backup or report and a DIR");
        r_.SiteAction = action;
        Operands({operands.begin() + 1, operands.end()}, 1, "a DIR");
        if (operands.size() > 1) r_.SiteFolder = operands[1];
        for (const std::string& option : site_options_)
            if (std::find(allowed->second.begin(), allowed->second.end(), option) ==
                allowed->second.end())
                return Fail("unknown option " + option + " for site " + action);
        std::string tail = r_.Output.size() < 4 ? "" : r_.Output.substr(r_.Output.size() - 4);
        for (char& ch : tail) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (action == "report" && tail != ".pdf") Fail("site report needs -o OUT.pdf");
    }

    void Operands(const std::vector<std::string>& operands, size_t count, const char* what) {
        if (operands.size() < count)
            Fail(r_.Command + " needs " + what);
        else if (operands.size() > count)
            Fail("unexpected argument \"" + operands[count] + "\" for " + r_.Command);
    }

    void NamesOperands(const std::vector<std::string>& operands) {
        const std::string action = operands.empty() ? "" : operands[0];
        if (action != "export" && action != "import")
            return Fail("names needs export FILE.kvx or import FILE.kvx names.csv");
        r_.NamesAction = action;
        const std::vector<std::string> rest(operands.begin() + 1, operands.end());
        const bool import = action == "import";
        Operands(rest, import ? 2 : 1, import ? "FILE.kvx and names.csv" : "FILE.kvx");
        if (!rest.empty()) r_.File = rest[0];
        if (import && rest.size() > 1) r_.NamesCsv = rest[1];
    }

    void Finish(const std::vector<std::string>& operands) {
        if (r_.Command == "help") {
            r_.Help = true;
            r_.Command = operands.empty() ? "" : operands[0];
            if (!r_.Command.empty() && !IsKnownCommand(r_.Command))
                Fail("unknown command \"" + r_.Command + "\"");
            return;
        }
        if (r_.Help || r_.Version) {
            if (!r_.Command.empty() && !IsKnownCommand(r_.Command))
                Fail("unknown command \"" + r_.Command + "\"");
            return;
        }
        if (r_.Command.empty()) return Fail("no command given");
        if (!IsKnownCommand(r_.Command)) return Fail("unknown command \"" + r_.Command + "\"");
        const std::string& c = r_.Command;
        if (c == "backup-all") {
            Operands(operands, 1, "a DIR");
            if (!operands.empty()) r_.BackupFolder = operands[0];
            if (operands.size() == 1 && r_.BackupFolder.empty()) Fail("backup-all needs a DIR");
        } else if (c == "write" || c == "verify" || c == "report") {
            Operands(operands, 1, "a FILE");
            if (!operands.empty()) r_.File = operands[0];
        } else if (c == "set-address") {
            Operands(operands, 1, "the NEW address");
            if (operands.size() == 1) {
                const auto v = ParseInt(operands[0]);
                if (!v || *v < 1 || *v > 255)
                    Fail("the new address must be a whole number from 1 to 255, not \"" +
                         operands[0] + "\"");
                else
                    r_.NewAddress = *v;
            }
        } else if (c == "names") {
            NamesOperands(operands);
        } else if (c == "site") {
            SiteOperands(operands);
        } else if (c == "send") {
            Operands(operands, 1, "a COMMAND");
            if (!operands.empty()) r_.PanelCommand = CoreText("COMMAND", operands[0], false);
        } else {
            Operands(operands, 0, "");
        }
        if ((c == "read" || c == "report") && r_.Output.empty()) Fail(c + " needs -o FILE");
        if ((c == "scan" || c == "backup-all") && r_.First > r_.Last)
            Fail("--first must not be above --last");
        if (r_.NoBackup && !r_.BackupFolder.empty() && c != "backup-all")
            Fail("choose one of --backup DIR and --no-backup");
        if (c == "write" && r_.NoHeader && r_.NoInputs && r_.NoGroups)
            Fail("write: nothing left to write (--no-header, --no-inputs and --no-groups)");
        if (c == "send" && r_.PanelCommand.empty()) Fail("send needs a COMMAND");
        if (NeedsPanel(c) && !(c == "site" && r_.SiteAction == "report")) {
            const ConnectionOptions& conn = r_.Connection;
            if (conn.Kind == LinkKind::None)
                Fail(c + " needs a connection: --port PATH, --relay HOST[:PORT] or --demo");
            else if (conn.Kind == LinkKind::Relay && conn.User.empty())
                Fail("--relay needs --user NAME");
        }
    }

    const std::vector<std::string>& args_;
    size_t index_ = 0;
    std::optional<std::string> inlineValue_;
    std::vector<std::string> site_options_;
    CliRequest r_;
    std::string error_;
};

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& args) {
    return Parser(args).Run();
}

bool IsKnownCommand(const std::string& command) {
    return FindCommand(command) != nullptr;
}

bool NeedsPanel(const std::string& command) {
    return IsKnownCommand(command) && command != "report" && command != "names" &&
           command != "ports" && command != "help";
}

bool OpensLine(const CliRequest& request) {
    if (request.Command == "site" && request.SiteAction == "report")
        return request.Connection.Kind != LinkKind::None;
    return NeedsPanel(request.Command);
}

std::string ProgramHelp() {
    std::string text =
        "Usage: kvtk-cli [connection] [options] COMMAND [command options]\n"
        "\n"
        "Connection (one of):\n"
        "  --port PATH            serial device, 9600 baud 8N1 (a name that is no file\n"
        "                         here, such as ttyUSB0, is looked up in /dev; the\n"
        "                         /dev/serial/by-id name stays when adapters are\n"
        "                         replugged: see the ports command)\n"
        "  --relay HOST[:PORT]    relay server (port 17076 unless given), with\n"
        "  --user NAME            and the password from --password-file FILE\n"
        "  --password-file FILE   (first line; a plain file of at most 4096 bytes)\n"
        "                         or KVTK_RELAY_PASSWORD\n"
        "  --demo                 the built-in simulated panels\n"
        "\n"
        "Options:\n"
        "  -a, --address N        panel address, 0 to 255 (default 1)\n"
        "  --timeout MS           maximum response time (default 500)\n"
        "  --attempts N           tries per command (default 2)\n"
        "  --skip-failed          skip a register that fails instead of stopping\n"
        "  -v, --verbose          show progress on standard error, with step n of N\n"
        "                         and the time left (one updating line on a terminal)\n"
        "  --trace                show every frame sent and line received on standard error\n"
        "  -h, --help             help (COMMAND --help for a command)\n"
        "  --version              program version\n"
        "\n"
        "Commands:\n";
    for (const CommandInfo& info : kCommands) {
        std::string name = info.Name;
        name.resize(14, ' ');
        text += "  " + name + info.Summary + "\n";
    }
    text +=
        "\nidentify, scan, verify, bad-relays, groups, inputs and ports take --json: one\n"
        "JSON object on standard output (COMMAND --help shows its keys).\n"
        "write and set-address first save the panel's configuration in\n"
        "~/.local/share/kvtk/backups (--backup DIR elsewhere, --no-backup none).\n";
    text +=
        "\nCtrl+C (SIGINT) or SIGTERM stops a command at its next step, as Cancel\n"
        "does: nothing more is sent but \"LSU\" (write disable) to a panel the\n"
        "command had write-enabled, nothing is saved that was not yet, and the\n"
        "command says what was done (a timed wait for a save or a reset runs to its\n"
        "end). A second signal stops at once.\n";
    text +=
        "\nExit status: 0 done, 1 failed, 2 usage error, 3 no panel answered,\n"
        "4 file error, 130 stopped by Ctrl+C or SIGTERM. A refused relay login and\n"
        "garbled replies are failures (1); no relay password is a usage error (2);\n"
        "no connection to the port or the relay server counts as no panel (3); an\n"
        "unreadable password file and output that cannot be written are file\n"
        "errors (4).\n";
    return text;
}

std::string CommandHelp(const std::string& command) {
    const CommandInfo* info = FindCommand(command);
    if (!info) return ProgramHelp();
    std::string text = std::string("Usage: kvtk-cli [connection] [options] ") + info->Usage +
                       "\n\n" + info->Summary + "\n";
    static const std::map<std::string, std::string> details{
        {"identify",
         "  --json                 {\"address\":N,\"status\":S,\"model\":S,\"version\":S,\n"
         "                         \"answered\":true|false}\n"},
        {"scan",
         "  --quick                one short try per address; only an address that\n"
         "                         answers anything is read in full. A panel that\n"
         "                         starts its answer later than about 40 ms after\n"
         "                         the query (over a relay server: plus the login's\n"
         "                         round trip) can be missed; the plain scan, the\n"
         "                         default, is the thorough one\n"
         "  --first A, --last B    address range, 0 to 255 (default all)\n"
         "  --json                 {\"first\":A,\"last\":B,\"panels\":[{\"address\":N,\n"
         "                         \"status\":S,\"model\":S,\"version\":S},...]}\n"
         "Prints \"<address>\\t<status>\" per panel found.\n"},
        {"backup-all",
         "  --first A, --last B    address range, 0 to 255 (default all)\n"
         "Prints \"<address>\\t<status>\\t<file or failure>\" per panel found;\n"
         "exit 1 when any panel could not be read, 3 when none answered, 130 when\n"
         "stopped by Ctrl+C (the panels not yet read are left out).\n"},
        {"read",
         "  -o FILE                the .kvx file to write\n"
         "  --desc TEXT            description stored in the file's header\n"},
        {"write",
         "  --no-header            do not write the panel-wide settings\n"
         "  --no-inputs            do not write the inputs\n"
         "  --no-groups            do not write the groups\n"
         "  --groups N             number of groups to write (default all)\n"
         "  --save-wait S          wait S seconds after the save instead of\n"
         "                         the panel's own saving time\n"
         "  --backup DIR           keep the backup taken first in DIR\n"
         "  --no-backup            write without reading a backup first\n"
         "  --verify               read the panel back after the save and compare\n"
         "  --changes-only         send only the registers whose value differs from\n"
         "                         the panel's (read first even with --no-backup);\n"
         "                         the save and its wait are as for a full write\n"
         "  --dry-run              read the panel and print what would change as\n"
         "                         \"<section>\\t<item>\\t<panel value>\\t<new value>\"\n"
         "                         lines (\"Nothing differs\" when nothing does);\n"
         "                         writes nothing: exit 0 nothing to change, 1 when\n"
         "                         there is\n"
         "  --force-product        write a file saved for another product\n"
         "Values are limited to what the connected panel accepts. Unless\n"
         "--no-backup is given, the panel's configuration is first saved as a new\n"
         "file in DIR (default ~/.local/share/kvtk/backups); if that read fails,\n"
         "nothing is written. A file saved for another product than the panel's\n"
         "is refused unless --force-product is given.\n"},
        {"verify",
         "  --json                 {\"file\":S,\"address\":N,\"matches\":true|false,\n"
         "                         \"differences\":[{\"section\":S,\"item\":S,\n"
         "                         \"file\":S,\"panel\":S},...]}\n"
         "Prints one line per difference; exit 1 when there is any.\n"},
        {"set-address",
         "  --backup DIR, --no-backup   as for write\n"
         "Fails when a panel already answers at NEW.\n"},
        {"bad-relays",
         "  --clear                clear the panel's bad-relay flags\n"
         "  --json                 "
         "{\"address\":N,\"bad_relays\":[R,...],\"cleared\":true|false}\n"},
        {"groups",
         "  --on G, --off G        switch group G (repeatable)\n"
         "  --all-on, --all-off    switch every group\n"
         "  --json                 "
         "{\"address\":N,\"groups\":[{\"group\":G,\"on\":true|false},...]}\n"
         "Prints \"<group>\\t<on|off>\" for every group.\n"},
        {"inputs",
         "  --json                 {\"address\":N,\"active\":[I,...],\"analog\":[S,...]}\n"
         "                         (\"analog\" only from firmware 4.00)\n"},
        {"site",
         "A site is a folder of .kvx files, one per panel, matched to the panels by\n"
         "the address in each file's Panel Information. Two files for one address\n"
         "refuse the folder (exit 4); a file that cannot be read is named on standard\n"
         "error with the reason and the rest of the site is used.\n"
         "States: same, differs, no-file, no-panel, not-compatible (the file is for\n"
         "another product: never compared or written), garbled, unread.\n"
         "\n"
         "\n"
         "  site status DIR [--quick] [--json]\n"
         "  site write DIR [--only A[,B...]] [--changes-only] [--verify]\n"
         "                 [--save-wait S] [--backup DIR]\n"
         "  site backup DIR [--backup DIR]\n"
         "  site report DIR -o OUT.pdf\n"
         "\n"
         "status: scans (one short try per address with --quick), reads every panel\n"
         "  with a file and compares. Prints \"<address>\\t<state>\\t<product or ->\\t\n"
         "  <file or ->\" (and \"\\t<count>\" after differs) in rising address order.\n"
         "  --json  {\"site\":DIR,\"panels\":[{\"address\":N,\"state\":S,\n"
         "          \"product\":S|null,\"version\":S|null,\"file\":S|null,\n"
         "          \"differences\":N},...]}\n"
         "  Exit 0 when every panel is same and every file has its panel, 1 otherwise,\n"
         "  3 when no panel answered, 4 when the folder cannot be used.\n"
         "write: writes every differs panel (or the --only addresses) from its file,\n"
         "  each with a backup first, the write and save, and the check with --verify;\n"
         "  stops at the first panel that fails. Prints \"<address>\\t<done|failed|\n"
         "  not started>\\t<file>\" per panel (a failure's reason follows). An --only\n"
         "  address without a panel, a file or a matching product is refused before\n"
         "  anything is written (exit 1).\n"
         "  --save-wait S, --backup DIR   as for write\n"
         "backup: keeps a backup of every panel found (default folder as for write).\n"
         "report: a first page with the table of states (compared after a quick scan\n"
         "  when a connection is given, else \"unread\"), then each file's report.\n"},
        {"send", "Exit 0 for an accepted reply, 3 for no response, 1 otherwise.\n"},
        {"report",
         "  -o OUT                 OUT.txt for text, OUT.pdf for PDF, - for the text\n"
         "                         on standard output\n"
         "  --groups N             number of groups to list (default all)\n"
         "  --paper NAME           the PDF's paper: a4, letter or legal (default the\n"
         "                         default printer's paper, else the system's:\n"
         "                         PAPERSIZE, /etc/papersize, then the locale)\n"},
        {"names",
         "  export: kind,number,name rows (UTF-8, CR LF) to names.csv or standard output.\n"
         "  import: reads rows separated by \",\" or \";\", with or without a byte-order mark,\n"
         "          and writes FILE.kvx in place (all or nothing) or to -o OUT.kvx.\n"
         "Every row is checked first; a refused row (unknown kind, number outside 1..120\n"
         "or 1..60, a character 8-bit text cannot hold, a line break, a name too long)\n"
         "is listed with its line number and nothing is written.\n"
         "Exit status: 0 done, 2 usage error, 4 file error or a refused row.\n"},
        {"ports",
         "  --json                 {\"ports\":[{\"name\":S,\"stable_name\":S|null,\n"
         "                         \"description\":S|null,\"can_open\":true|false,\n"
         "                         \"why_not\":S|null},...]}\n"
         "Prints \"<name>\\t<stable name>\\t<description>\\t<yes|no>\\t<why not>\" per\n"
         "port the system reports, \"-\" for an empty field. The stable name is the\n"
         "/dev/serial/by-id link to the device, which stays the same when adapters\n"
         "are plugged in another order; --port takes it as well. Each port is opened\n"
         "for a moment to tell whether it can be: \"no\" says why (another program\n"
         "holds it, or the group that may use it and how to join it).\n"
         "No connection is needed. Exit status: 0 listed (also when there is no\n"
         "port), 2 usage error.\n"},
    };
    if (auto it = details.find(command); it != details.end()) text += "\n" + it->second;
    return text;
}

}  // namespace kvtk::cli
