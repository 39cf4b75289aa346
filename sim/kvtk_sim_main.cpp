// kvtk-sim: serves simulated panels on a pseudo-terminal and/or as a relay
// server on the loopback interface, until it is killed.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <iostream>

#include "files/small_file.h"
#include "model/program_notice.h"
#include "sim/demo_line.h"
#include "sim/sim_line.h"
#include "sim/sim_pty.h"
#include "sim/sim_relay_server.h"

namespace {

using kvtk::SimLine;

// "ADDR:MODEL:VERSION[:nokv]", e.g. "1:WQ16:5.00" or "17:KV-4500:1.07:nokv".
bool AddPanelFromText(SimLine& line, const QString& text, QString& error) {
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok = false;
    const int address = parts.value(0).toInt(&ok);
    if (parts.size() < 3 || parts.size() > 4 || !ok || address < 0 || address > 255 ||
        parts[1].isEmpty() || parts[2].isEmpty() ||
        (parts.size() == 4 && parts[3] != QLatin1String("nokv"))) {
        error = QStringLiteral(
                    "Invalid panel \"%1\": expected ADDRESS:MODEL:VERSION[:nokv] "
                    "with an address from 0 to 255.")
                    .arg(text);
        return false;
    }
    if (line.PanelAt(address)) {
        error = QStringLiteral("Two panels at address %1.").arg(address);
        return false;
    }
    line.AddPanel(address, parts[1].toStdString(), parts[2].toStdString(), parts.size() == 3);
    return true;
}

int IntOption(const QCommandLineParser& parser, const QString& name, int min, bool& ok) {
    const int value = parser.value(name).toInt(&ok);
    ok = ok && value >= min;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvtk-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated lighting relay panels for testing and training.\n"
        "Without --panel the demonstration line is served: 1 WQ16 5.00, 2 KV-4800 4.00,\n"
        "3 KV-4800 3.00, 5 KV-4900 1.09, 7 TMC-1400 4.00, 17 KV-4500 (no KV answer).\n"
        "--pty prints the device path, --relay prints the port, one per line on\n"
        "standard output; the program then serves until it is killed."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    parser.addOptions({
        {QStringLiteral("pty"), QStringLiteral("Serve the line on a pseudo-terminal.")},
        {QStringLiteral("relay"),
         QStringLiteral("Serve as relay server on 127.0.0.1:PORT (0: any free port)."),
         QStringLiteral("PORT")},
        {QStringLiteral("user"), QStringLiteral("Relay user name."), QStringLiteral("USER")},
        {QStringLiteral("password-file"),
         QStringLiteral("File whose first line is the relay password."), QStringLiteral("FILE")},
        {QStringLiteral("panel"),
         QStringLiteral("A panel ADDRESS:MODEL:VERSION[:nokv] (repeat for several); replaces "
                        "the demonstration line."),
         QStringLiteral("SPEC")},
        {QStringLiteral("echo"), QStringLiteral("Echo every frame before the reply.")},
        {QStringLiteral("pacing"), QStringLiteral("Send at the pace of 9600 baud.")},
        {QStringLiteral("busy-dots"), QStringLiteral("Send N busy dots before each reply."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("busy-interval"), QStringLiteral("Milliseconds between busy dots."),
         QStringLiteral("MS"), QStringLiteral("400")},
        {QStringLiteral("drop-first"), QStringLiteral("Lose the first N replies."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("drop-fraction"), QStringLiteral("Lose this share (0 to 1) of replies."),
         QStringLiteral("F"), QStringLiteral("0")},
        {QStringLiteral("seed"), QStringLiteral("Seed of --drop-fraction."), QStringLiteral("N"),
         QStringLiteral("1")},
        {QStringLiteral("garble"), QStringLiteral("Send every reply with a wrong checksum.")},
        {QStringLiteral("garble-first"), QStringLiteral("Garble the first N replies."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("swallow-write"),
         QStringLiteral("Acknowledge register write N but do not store it."), QStringLiteral("N"),
         QStringLiteral("0")},
        {QStringLiteral("disconnect-after"),
         QStringLiteral("Break the line when frame N + 1 arrives."), QStringLiteral("N"),
         QStringLiteral("-1")},
    });

    auto fail = [](const QString& text, int status = 2) {
        std::cerr << "kvtk-sim: " << text.toLocal8Bit().constData() << '\n';
        return status;
    };
    // What the caller needs to reach the simulator must arrive in full.
    auto print = [](const std::string& text) {
        std::cout << text << std::endl;
        return static_cast<bool>(std::cout);
    };
    const QString outputLost = QStringLiteral("The output could not be written.");
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText() + QStringLiteral(" (see --help)"));
    if (parser.isSet(help))
        return print(parser.helpText().trimmed().toLocal8Bit().toStdString()) ? 0
                                                                              : fail(outputLost, 1);
    if (parser.isSet(version)) {
        std::string text = std::string("kvtk-sim 5.1\n") + kvtk::kVersionNotice;
        text.pop_back();  // print ends the line
        return print(text) ? 0 : fail(outputLost, 1);
    }
    const bool wantPty = parser.isSet(QStringLiteral("pty"));
    const bool wantRelay = parser.isSet(QStringLiteral("relay"));
    if (!wantPty && !wantRelay)
        return fail(QStringLiteral("Choose --pty, --relay PORT or both (see --help)."));

    std::unique_ptr<SimLine> line;
    const QStringList panels = parser.values(QStringLiteral("panel"));
    if (panels.isEmpty()) {
        line = kvtk::MakeDemoLine();
    } else {
        line = std::make_unique<SimLine>();
        QString error;
        for (const QString& text : panels)
            if (!AddPanelFromText(*line, text, error)) return fail(error);
    }

    kvtk::SimLineOptions& options = line->Options();
    bool ok = true;
    options.echo = parser.isSet(QStringLiteral("echo"));
    options.pacing = parser.isSet(QStringLiteral("pacing"));
    options.garbleChecksum = parser.isSet(QStringLiteral("garble"));
    options.busyDots = IntOption(parser, QStringLiteral("busy-dots"), 0, ok);
    if (ok) options.busyDotIntervalMs = IntOption(parser, QStringLiteral("busy-interval"), 1, ok);
    if (ok) options.dropFirst = IntOption(parser, QStringLiteral("drop-first"), 0, ok);
    if (ok) options.garbleFirst = IntOption(parser, QStringLiteral("garble-first"), 0, ok);
    if (ok) options.swallowWrite = IntOption(parser, QStringLiteral("swallow-write"), 0, ok);
    if (ok) options.disconnectAfter = IntOption(parser, QStringLiteral("disconnect-after"), -1, ok);
    if (ok) options.seed = static_cast<unsigned>(IntOption(parser, QStringLiteral("seed"), 0, ok));
    if (ok) {
        options.dropFraction = parser.value(QStringLiteral("drop-fraction")).toDouble(&ok);
        ok = ok && options.dropFraction >= 0 && options.dropFraction <= 1;
    }
    if (!ok) return fail(QStringLiteral("A fault option has an invalid number (see --help)."));
    line->ResetFaults();

    std::unique_ptr<kvtk::SimPty> pty;
    if (wantPty) {
        pty = std::make_unique<kvtk::SimPty>(*line);
        if (!pty->Open())
            return fail(QStringLiteral("Cannot open a pseudo-terminal: %1.").arg(pty->ErrorText()));
        if (!print(pty->SlavePath().toStdString())) return fail(outputLost, 1);
    }

    std::unique_ptr<kvtk::SimRelayServer> relay;
    if (wantRelay) {
        const int port = parser.value(QStringLiteral("relay")).toInt(&ok);
        if (!ok || port < 0 || port > 65535) return fail(QStringLiteral("Invalid relay port."));
        const QString user = parser.value(QStringLiteral("user"));
        const QString passwordFile = parser.value(QStringLiteral("password-file"));
        if (user.isEmpty() || passwordFile.isEmpty())
            return fail(QStringLiteral("--relay needs --user and --password-file."));
        // At most a few kilobytes, and only from a plain file (not /dev/zero).
        const kvtk::SmallFileResult file =
            kvtk::ReadSmallFile(QFile::encodeName(passwordFile).toStdString());
        const QString password = QString::fromUtf8(kvtk::FirstLine(file.Text));
        if (!file.Ok())
            return fail(QStringLiteral("Cannot read the password file %1: %2.")
                            .arg(passwordFile, QString::fromLocal8Bit(file.Error)));
        if (password.isEmpty())
            return fail(QStringLiteral("The password file %1 has no password on its first line.")
                            .arg(passwordFile));
        relay = std::make_unique<kvtk::SimRelayServer>(*line, user, password);
        if (!relay->Listen(static_cast<quint16>(port)))
            return fail(QStringLiteral("Cannot listen on 127.0.0.1 port %1: %2.")
                            .arg(port)
                            .arg(relay->ErrorText()));
        if (!print(std::to_string(relay->Port()))) return fail(outputLost, 1);
    }
    return app.exec();
}
