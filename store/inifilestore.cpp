#include "store/inifilestore.h"

#include "core/durablefile.h"
#include "store/inifile.h"
#include "store/storenames.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {
// Nothing when the file exists but cannot be read.
std::optional<IniFile> readIni(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return IniFile();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniFile(file.readAll());
}

// The groups a section may stand in, as QSettings reads the file: the form
// the store writes ("[Profiles%255CKBOS]"), and the two forms a hand or
// QSettings itself gives a section name with a backslash: "[Profiles%5CKBOS]"
// (QSettings' escape of the backslash) and "[Profiles\KBOS]" (a subgroup).
QStringList groupsOf(const QString& section)
{
    QStringList groups{EncodeStoreName(section)};
    for (const QString& form : {section, QString(section).replace(u'\\', u'/')}) {
        if (!groups.contains(form))
            groups.append(form);
    }
    return groups;
}

// The group of the file that holds the section: the first of its forms the
// file has keys in, so that a section written by hand is read and written
// where it stands; the store's own form for a section not in the file.
QString groupIn(const IniFile& ini, const QString& section)
{
    const QStringList groups = groupsOf(section);
    for (const QString& group : groups) {
        if (ini.group(group))
            return group;
    }
    return groups.first();
}
} // namespace

IniFileStore::IniFileStore(const QString& file) : m_file(file) {}

QString IniFileStore::userFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Briefcast/Briefcast.conf");
}

QString IniFileStore::GetSetting(const QString& section, const QString& key,
                                 const QString& defaultValue) const
{
    for (const auto& [stored, value] : GetAllSettings(section).value_or(Pairs())) {
        if (stored == key)
            return value;
    }
    return defaultValue;
}

std::optional<SettingsStore::Pairs> IniFileStore::GetAllSettings(const QString& section) const
{
    // An unreadable file reads as an empty one; writes then fail.
    const auto ini = readIni(m_file);
    auto pairs = ini ? ini->group(groupIn(*ini, section)) : std::nullopt;
    if (pairs) {
        for (auto& pair : *pairs)
            pair.first = DecodeStoreName(pair.first);
    }
    return pairs;
}

bool IniFileStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    return writeTogether({{section, key, value}});
}

bool IniFileStore::DeleteSetting(const QString& section, const std::optional<QString>& key)
{
    return writeTogether({{section, key, std::nullopt}});
}

bool IniFileStore::writeTogether(const QList<Change>& changes)
{
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath()))
        return false;
    QLockFile lock(m_file + QStringLiteral(".lock"));
    if (!lock.tryLock(m_lockWait))
        return false;
    // A read-only file is respected, although a new file could replace it.
    QFile existing(m_file);
    if (existing.exists() && !existing.open(QIODevice::ReadWrite))
        return false;
    existing.close();
    auto ini = readIni(m_file);
    if (!ini)
        return false;
    for (const Change& c : changes) {
        const QString group = groupIn(*ini, c.section);
        if (!c.key) {
            // Every form the section stands in goes with it.
            for (const QString& form : groupsOf(c.section))
                ini->removeGroup(form);
        } else if (!c.value)
            ini->remove(group, EncodeStoreName(*c.key));
        else
            ini->setValue(group, EncodeStoreName(*c.key), *c.value);
    }
    return !ReplaceFileContent(m_file, ini->content());
}

QString IniFileStore::changeStamp() const
{
    const QFileInfo file(m_file);
    if (!file.exists())
        return QStringLiteral("none");
    // Some file systems keep the time to the second or two: a file changed
    // that recently may change again, to the same size, within that time.
    const QDateTime changed = file.lastModified();
    if (changed.msecsTo(QDateTime::currentDateTime()) < 2000)
        return {};
    return QString::number(file.size()) + QLatin1Char(' ') +
           QString::number(changed.toMSecsSinceEpoch());
}
