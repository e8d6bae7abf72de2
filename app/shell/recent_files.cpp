#include "shell/recent_files.h"

#include "shell/user_settings.h"

#include <QFileInfo>

namespace r605 {

namespace {

constexpr const char* kKey = "RecentFiles/Files";

} // namespace

RecentFiles::RecentFiles(QObject* parent) : QObject(parent) {
    m_files = userSettings()->value(kKey).toStringList();
    while (m_files.size() > kMaximum)
        m_files.removeLast();
}

void RecentFiles::add(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kMaximum)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString& file) {
    if (m_files.removeAll(file) > 0)
        store();
}

void RecentFiles::clear() {
    m_files.clear();
    store();
}

void RecentFiles::store() {
    userSettings()->setValue(kKey, m_files);
    emit changed();
}

} // namespace r605
