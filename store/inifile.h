#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The text of a settings file in the INI form QSettings writes: "[group]"
// lines and "key=value" lines, group and key names escaped as QSettings
// escapes them, values quoted and escaped where QSettings would. A UTF-8
// byte-order mark and every convention of line ends (LF, CR LF, CR alone,
// mixed) read as QSettings reads them, and stay as they were.
//
// A value in double quotes is the text inside them, escapes replaced, as
// QSettings reads it. Any other value reads back character for character as
// it stands in the file, without the blanks beside the "=" and at the end of
// the line, unless it is exactly in the form the store writes (escaped, a
// leading "@" doubled) or QSettings' "@String(...)". So "KSEA, KBOS" written
// by hand stays "KSEA, KBOS", and a semicolon starts no comment inside a
// value.
//
// Changes rewrite only the lines they concern: comments, blank lines and
// every other line stay as they were.
class IniFile
{
public:
    using Pairs = QList<QPair<QString, QString>>;

    explicit IniFile(const QByteArray& content = QByteArray());

    // The keys of a group with their values, in file order; nothing when the
    // group has no keys.
    std::optional<Pairs> group(const QString& name) const;
    void setValue(const QString& group, const QString& key, const QString& value);
    void remove(const QString& group, const QString& key);
    void removeGroup(const QString& group);

    QByteArray content() const;

private:
    struct Line
    {
        QByteArray text;
        QByteArray end;             // the line end as read; empty for a line added or the last
        QString group;              // the group the line belongs to
        std::optional<QString> key; // for a "key=value" line
        QString value;
        bool header = false;
    };

    qsizetype lastLineOf(const QString& group) const;

    QByteArray m_byteOrderMark;
    QByteArray m_lineEnd; // for lines added: the file's first line end
    QList<Line> m_lines;
};
