#pragma once

#include <QString>
#include <QStringList>

// What one autoloader bundle (<Name>.bundle/PackageContents.xml) offers this host: the modules
// of the components written for its operating system, product and release series that ask to
// be loaded at start-up, and what had to be passed over, each named with its reason.
class PackageContents
{
public:
    static PackageContents read(const QString &bundleFolder);

    QStringList startupModules() const { return m_startupModules; }
    QStringList problems() const { return m_problems; }

private:
    void readDocument(const QString &bundleFolder, const QByteArray &xml);
    void addComponent(const QString &bundleFolder, const QString &moduleName,
                      const QString &appName);

    QStringList m_startupModules;
    QStringList m_problems;
};
