#pragma once
// The codeplug files opened or saved last, newest first, kept in the user's settings
// (QSettings "R605", section "RecentFiles").

#include <QObject>
#include <QStringList>

namespace r605 {

class RecentFiles : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaximum = 8;

    explicit RecentFiles(QObject* parent = nullptr);

    QStringList files() const { return m_files; }
    void add(const QString& file);
    void remove(const QString& file);
    void clear();

signals:
    void changed();

private:
    void store();

    QStringList m_files;
};

} // namespace r605
