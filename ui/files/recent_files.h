#pragma once
// File > Open Recent: the files opened or saved last, newest first, each
// once, at most eight. The session remembers them from run to run.

#include <QString>
#include <QStringList>

namespace kvtk {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    // As remembered: empty names and repeats are dropped, the rest cut to eight.
    void SetFiles(const QStringList& files);
    // Puts the file first (by its absolute path).
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return files_; }

private:
    QStringList files_;
};

}  // namespace kvtk
