#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// A copy of the built installation's tables (dist/data) in a temporary folder, for a test to change.
class InstallationCopy {
public:
    InstallationCopy() {
        const QString source = QDir(qEnvironmentVariable("VOLBY_DIST")).filePath(QStringLiteral("data"));
        QDir().mkpath(dataFolder());
        const QStringList files = QDir(source).entryList(QDir::Files);
        for (const QString &name : files)
            QFile::copy(QDir(source).filePath(name), QDir(dataFolder()).filePath(name));
        m_ok = m_dir.isValid() && !files.isEmpty();
    }
    bool isValid() const { return m_ok; }
    QString root() const { return m_dir.path(); }
    QString dataFolder() const { return QDir(m_dir.path()).filePath(QStringLiteral("data")); }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};
