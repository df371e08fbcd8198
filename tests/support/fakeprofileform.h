#pragma once

#include "app/profileform.h"

#include <QStringList>
#include <algorithm>

// cboProfiles as a sorted list of texts and a selected index.
class FakeProfileForm : public ProfileForm
{
public:
    QStringList entries;
    int selected = -1;

    void select(const QString& name) { selected = int(entries.indexOf(name)); }
    void clearProfiles() override
    {
        entries.clear();
        selected = -1;
    }
    void addProfile(const QString& name) override
    {
        entries.insert(std::upper_bound(entries.begin(), entries.end(), name, ProfileListLess),
                       name);
    }
    int profileCount() const override { return int(entries.size()); }
    QString profileText(int index) const override { return entries.at(index); }
    int profileIndex() const override { return selected; }
    void setProfileIndex(int index) override { selected = index; }
};
