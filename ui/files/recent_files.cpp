#include "ui/files/recent_files.h"

#include <QFileInfo>

namespace kvtk {
namespace {

QString Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void RecentFiles::SetFiles(const QStringList& files) {
    files_.clear();
    for (const QString& file : files) {
        if (file.trimmed().isEmpty() || files_.contains(Absolute(file))) continue;
        files_ << Absolute(file);
        if (files_.size() == kMaxFiles) break;
    }
}

void RecentFiles::Add(const QString& path) {
    Remove(path);
    files_.prepend(Absolute(path));
    while (files_.size() > kMaxFiles) files_.removeLast();
}

void RecentFiles::Remove(const QString& path) {
    files_.removeAll(Absolute(path));
}

}  // namespace kvtk
