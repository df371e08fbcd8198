#include "qsettingsstore.h"

#include <QStringList>

namespace {
const QString AppName = QStringLiteral("Briefcast");

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
    : m_makeSettings([] {
          return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, AppName, AppName);
      }),
      m_settings(m_makeSettings())
{
#ifdef Q_OS_WIN
    m_caseInsensitive = true;
#endif
}

QSettingsStore::QSettingsStore(const QString& iniFile, bool caseInsensitiveBackend)
    : m_makeSettings([iniFile] { return std::make_unique<QSettings>(iniFile, QSettings::IniFormat); }),
      m_settings(m_makeSettings()),
      m_caseInsensitive(caseInsensitiveBackend)
{
}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::encodeName(const QString& name) const
{
    // The empty name would be no key at all: a lone "%" stands for it.
    if (name.isEmpty())
        return QStringLiteral("%");
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (keptAsIs(c, i == 0 || i == name.size() - 1, m_caseInsensitive)) {
            out += c;
        } else if (m_caseInsensitive && c.unicode() >= 'A' && c.unicode() <= 'Z') {
            out += QLatin1Char('^');
            out += c.toLower();
        } else {
            // A surrogate pair goes as one character, so its UTF-8 is whole.
            const qsizetype n = c.isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            for (char byte : name.mid(i, n).toUtf8())
                out += QStringLiteral("%%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
            i += n - 1;
        }
    }
    return out;
}

QString QSettingsStore::decodeName(const QString& encoded) const
{
    if (encoded == QLatin1String("%"))
        return QString();
    QByteArray utf8;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const QChar c = encoded.at(i);
        if (c == QLatin1Char('%') && i + 2 < encoded.size() && hexValue(encoded.at(i + 1)) >= 0
            && hexValue(encoded.at(i + 2)) >= 0) {
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

bool QSettingsStore::flush()
{
    m_settings->sync();
    // A format error only says that a damaged file was read as far as it
    // could be; the write itself went through.
    if (m_settings->status() != QSettings::AccessError)
        return true;
    // QSettings keeps its first error for good: start afresh, so that a
    // later write (once the disk has room again) can succeed.
    m_settings = m_makeSettings();
    return false;
}

bool QSettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(encodeName(section) + QLatin1Char('/') + encodeName(key), value);
    return flush();
}

static QString asText(const QVariant& value)
{
    // A hand-written value with commas reads as a list: join it back.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString QSettingsStore::GetSetting(const QString& section, const QString& key, const QString& defaultValue) const
{
    refresh();
    const QVariant value = m_settings->value(encodeName(section) + QLatin1Char('/') + encodeName(key));
    return value.isValid() ? asText(value) : defaultValue;
}

std::optional<SettingsStore::Pairs> QSettingsStore::GetAllSettings(const QString& section) const
{
    refresh();
    m_settings->beginGroup(encodeName(section));
    Pairs pairs;
    for (const QString& key : m_settings->childKeys())
        pairs.append({decodeName(key), asText(m_settings->value(key))});
    m_settings->endGroup();
    if (pairs.isEmpty())
        return std::nullopt;
    return pairs;
}

bool QSettingsStore::DeleteSetting(const QString& section, const std::optional<QString>& key)
{
    refresh();
    if (key)
        m_settings->remove(encodeName(section) + QLatin1Char('/') + encodeName(*key));
    else
        m_settings->remove(encodeName(section));
    return flush();
}
