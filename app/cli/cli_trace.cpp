#include "app/cli/cli_trace.h"

#include <cstdio>

#include "comm/relay_connection.h"

namespace kvtk::cli {

std::string VisibleBytes(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

TracingLink::TracingLink(ByteLink& inner, std::ostream& out) : inner_(inner), out_(out) {
    connect(&inner_, &ByteLink::readyRead, this, &ByteLink::readyRead);
    connect(&inner_, &ByteLink::linkLost, this, [this](const QString& reason) {
        out_ << "! link lost: " << reason.toLocal8Bit().constData() << '\n' << std::flush;
        emit linkLost(reason);
    });
}

bool TracingLink::write(const QByteArray& bytes) {
    out_ << "> " << VisibleBytes(bytes.toStdString()) << '\n' << std::flush;
    return inner_.write(bytes);
}

QByteArray TracingLink::readAll() {
    QByteArray bytes = inner_.readAll();
    TraceReceived(bytes);
    return bytes;
}

void TracingLink::discardInput() {
    if (!partial_.empty()) out_ << "< " << VisibleBytes(partial_) << " (discarded)\n";
    partial_.clear();
    inner_.discardInput();
}

void TracingLink::TraceReceived(const QByteArray& bytes) {
    for (const char c : bytes) {
        partial_ += c;
        if (c == '\r') {
            out_ << "< " << VisibleBytes(partial_) << '\n' << std::flush;
            partial_.clear();
        }
    }
}

void TraceRelay(RelayConnection& relay, std::ostream& out) {
    QObject::connect(&relay, &RelayConnection::messageSent, &relay, [&out](const QByteArray& m) {
        out << "> " << VisibleBytes(m.toStdString()) << '\n' << std::flush;
    });
    QObject::connect(&relay, &RelayConnection::lineReceived, &relay, [&out](const QByteArray& l) {
        out << "< " << VisibleBytes(l.toStdString()) << '\n' << std::flush;
    });
}

}  // namespace kvtk::cli
