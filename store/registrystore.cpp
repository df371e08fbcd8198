#include "store/registrystore.h"

#include "store/storenames.h"

namespace {
std::unique_ptr<QSettings> openRegistry()
{
    const QString app = QStringLiteral("Briefcast");
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, app, app);
}

QString encoded(const QString& name)
{
    return EncodeStoreName(name, true);
}
} // namespace

RegistryStore::RegistryStore() : m_registry(openRegistry()) {}

RegistryStore::~RegistryStore() = default;

std::optional<SettingsStore::Pairs> RegistryStore::group(const QString& name) const
{
    m_registry->beginGroup(name);
    Pairs pairs;
    for (const QString& key : m_registry->childKeys())
        pairs.append({key, m_registry->value(key).toString()});
    m_registry->endGroup();
    if (pairs.isEmpty())
        return std::nullopt;
    return pairs;
}

QString RegistryStore::GetSetting(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    const QVariant value = m_registry->value(encoded(section) + QLatin1Char('/') + encoded(key));
    return value.isValid() ? value.toString() : defaultValue;
}

std::optional<SettingsStore::Pairs> RegistryStore::GetAllSettings(const QString& section) const
{
    auto pairs = group(encoded(section));
    if (pairs) {
        for (auto& pair : *pairs)
            pair.first = DecodeStoreName(pair.first, true);
    }
    return pairs;
}

bool RegistryStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    return writeTogether({{section, key, value}});
}

bool RegistryStore::DeleteSetting(const QString& section, const std::optional<QString>& key)
{
    return writeTogether({{section, key, std::nullopt}});
}

bool RegistryStore::writeTogether(const QList<Change>& changes)
{
    // QSettings keeps its first error for good: after a failed write, the
    // next one starts afresh. (Not at once: reopened while the store still
    // refuses, the new QSettings would take the error too.)
    if (m_registry->status() != QSettings::NoError)
        m_registry = openRegistry();
    QList<QPair<QString, std::optional<QString>>> before;
    for (const Change& c : changes) {
        const QString name = encoded(c.section);
        if (!c.key) {
            for (const auto& [key, value] : group(name).value_or(Pairs()))
                before.append({name + QLatin1Char('/') + key, value});
            m_registry->remove(name);
            continue;
        }
        const QString key = name + QLatin1Char('/') + encoded(*c.key);
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
    return false;
}
