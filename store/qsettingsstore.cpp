#include "store/qsettingsstore.h"

#include "core/percentencoding.h"
#include "store/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
const QString AppName = QStringLiteral("Briefcast");
// Writes of another instance take milliseconds; a lock held longer than
// this belongs to one that hangs.
constexpr int LockWait = 10000;

std::unique_ptr<QSettings> makeRegistry()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, AppName,
                                       AppName);
}

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

bool keptAsIs(QChar c, bool atEdge, bool caseInsensitive)
{
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u == '.' || u == '-')
        return true;
    if (u >= 'A' && u <= 'Z')
        return !caseInsensitive;
    return u == ' ' && !atEdge;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}
} // namespace

QSettingsStore::QSettingsStore()
{
#ifdef Q_OS_WIN
    m_registry = makeRegistry();
    m_caseInsensitive = true;
#else
    m_file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
             QLatin1Char('/') + AppName + QLatin1Char('/') + AppName + QStringLiteral(".conf");
#endif
}

QSettingsStore::QSettingsStore(const QString& iniFile, bool caseInsensitiveBackend)
    : m_file(iniFile), m_caseInsensitive(caseInsensitiveBackend)
{
}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::encodeName(const QString& name) const
{
    // The empty name would be no key at all: a lone "%" stands for it.
    if (name.isEmpty())
        return QStringLiteral("%");
    const qsizetype last = name.size() - 1;
    return PercentEncoded(name, [this, last](QChar c, qsizetype i) -> std::optional<QString> {
        if (keptAsIs(c, i == 0 || i == last, m_caseInsensitive))
            return QString(c);
        if (m_caseInsensitive && c.unicode() >= 'A' && c.unicode() <= 'Z')
            return QLatin1Char('^') + c.toLower();
        return std::nullopt;
    });
}

QString QSettingsStore::decodeName(const QString& encoded) const
{
    if (encoded == QLatin1String("%"))
        return QString();
    QByteArray utf8;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const QChar c = encoded.at(i);
        if (c == QLatin1Char('%') && i + 2 < encoded.size() && hexValue(encoded.at(i + 1)) >= 0 &&
            hexValue(encoded.at(i + 2)) >= 0) {
            utf8 += char(hexValue(encoded.at(i + 1)) * 16 + hexValue(encoded.at(i + 2)));
            i += 2;
        } else if (m_caseInsensitive && c == QLatin1Char('^') && i + 1 < encoded.size()) {
            utf8 += encoded.at(i + 1).toUpper().toLatin1();
            i += 1;
        } else {
            // Hand-written names may hold anything: take it as it stands.
            utf8 += QString(c).toUtf8();
        }
    }
    return QString::fromUtf8(utf8);
}

std::optional<SettingsStore::Pairs> QSettingsStore::group(const QString& encoded) const
{
    if (!m_registry) {
        // An unreadable file reads as an empty one; writes then fail.
        const auto ini = readIni(m_file);
        return ini ? ini->group(encoded) : std::nullopt;
    }
    m_registry->beginGroup(encoded);
    Pairs pairs;
    for (const QString& key : m_registry->childKeys())
        pairs.append({key, m_registry->value(key).toString()});
    m_registry->endGroup();
    if (pairs.isEmpty())
        return std::nullopt;
    return pairs;
}

QString QSettingsStore::GetSetting(const QString& section, const QString& key,
                                   const QString& defaultValue) const
{
    const QString wanted = encodeName(key);
    for (const auto& [stored, value] : group(encodeName(section)).value_or(Pairs())) {
        if (stored == wanted)
            return value;
    }
    return defaultValue;
}

std::optional<SettingsStore::Pairs> QSettingsStore::GetAllSettings(const QString& section) const
{
    auto pairs = group(encodeName(section));
    if (pairs) {
        for (auto& pair : *pairs)
            pair.first = decodeName(pair.first);
    }
    return pairs;
}

bool QSettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    return writeTogether({{section, key, value}});
}

bool QSettingsStore::DeleteSetting(const QString& section, const std::optional<QString>& key)
{
    return writeTogether({{section, key, std::nullopt}});
}

bool QSettingsStore::writeTogether(const QList<Change>& changes)
{
    return m_registry ? writeRegistry(changes) : writeFile(changes);
}

bool QSettingsStore::writeFile(const QList<Change>& changes)
{
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath()))
        return false;
    // Another instance writing at the same moment waits for this one.
    QLockFile lock(m_file + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWait))
        return false;
    // A read-only file is respected, although the save file could replace it.
    QFile existing(m_file);
    if (existing.exists() && !existing.open(QIODevice::ReadWrite))
        return false;
    existing.close();
    auto ini = readIni(m_file);
    if (!ini)
        return false;
    for (const Change& c : changes) {
        const QString group = encodeName(c.section);
        if (!c.key)
            ini->removeGroup(group);
        else if (!c.value)
            ini->remove(group, encodeName(*c.key));
        else
            ini->setValue(group, encodeName(*c.key), *c.value);
    }
    const QByteArray content = ini->content();
    QSaveFile out(m_file);
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit();
}

bool QSettingsStore::writeRegistry(const QList<Change>& changes)
{
    // The registry takes each write at once: what the keys held before is
    // kept, and put back when a write of the batch fails.
    QList<QPair<QString, std::optional<QString>>> before;
    for (const Change& c : changes) {
        const QString name = encodeName(c.section);
        if (!c.key) {
            for (const auto& [key, value] : group(name).value_or(Pairs()))
                before.append({name + QLatin1Char('/') + key, value});
            m_registry->remove(name);
            continue;
        }
        const QString key = name + QLatin1Char('/') + encodeName(*c.key);
        const QVariant old = m_registry->value(key);
        before.append({key, old.isValid() ? std::optional(old.toString()) : std::nullopt});
        if (c.value)
            m_registry->setValue(key, *c.value);
        else
            m_registry->remove(key);
    }
    m_registry->sync();
    if (m_registry->status() == QSettings::NoError)
        return true;
    for (auto it = before.crbegin(); it != before.crend(); ++it) {
        if (it->second)
            m_registry->setValue(it->first, *it->second);
        else
            m_registry->remove(it->first);
    }
    // QSettings keeps its first error for good: start afresh, so that a
    // later write can succeed.
    m_registry = makeRegistry();
    return false;
}

QString QSettingsStore::changeStamp() const
{
    if (m_registry)
        return {};
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
