#pragma once
// The in-process byte link to a simulated line: what the tool writes goes
// to the line's panels, what they send comes back through readyRead. Used
// by tests and by the programs' demonstration mode.

#include <memory>

#include "comm/byte_link.h"
#include "sim/sim_line.h"

namespace kvtk {

class SimulatedLink : public ByteLink {
    Q_OBJECT
public:
    // The line must outlive the link.
    explicit SimulatedLink(SimLine& line, QObject* parent = nullptr);
    // The link owns the line (the demonstration mode of the programs).
    explicit SimulatedLink(std::unique_ptr<SimLine> line, QObject* parent = nullptr);
    ~SimulatedLink() override;

    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override { input_.clear(); }
    void close() override;
    QString name() const override;

    SimLine& Line() { return *line_; }

private:
    void Attach();

    std::unique_ptr<SimLine> owned_;
    SimLine* line_;
    QByteArray input_;
    bool open_ = true;
};

}  // namespace kvtk
