#pragma once

#include "store/profilestore.h"

#include <QString>

// The window's list of saved profiles, cboProfiles: a sorted drop-down list
// whose selected entry the profile commands work on. Values, not widgets.
class ProfileForm
{
public:
    virtual ~ProfileForm() = default;

    virtual void clearProfiles() = 0;
    // Adds an entry; the list keeps its entries in ProfileListLess order.
    virtual void addProfile(const QString& name) = 0;
    virtual int profileCount() const = 0;
    virtual QString profileText(int index) const = 0;
    // -1 when no entry is selected.
    virtual int profileIndex() const = 0;
    virtual void setProfileIndex(int index) = 0;
};
