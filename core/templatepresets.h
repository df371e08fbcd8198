#pragma once

#include "core/phrasing.h"
#include "core/profile.h"
#include "core/texts.h"

#include <QList>
#include <QString>
#include <QStringList>

// A template to start a profile from, modelled on the most frequent wording
// of the ATIS texts of one region of the network, with the phrasing and the
// text form that region's texts and voices use.
struct TemplatePreset
{
    Texts::UserText name;
    // The first letters of its region's airport codes: the window offers it
    // for them.
    QStringList regions;
    Phrasing phrasing;
    TextForm textForm;
    QString templateText; // line breaks as CR LF
};

// One per region: the USA, northern Europe, southern Europe and the
// Mediterranean, Russia and the CIS, Canada, Australia.
const QList<TemplatePreset>& TemplatePresets();

// The index of the preset of the airport's region (the longest code prefix
// that names one), or -1.
int TemplatePresetFor(const QString& icao);

// The profile started from the preset: its template, phrasing and text form;
// every other setting as it was.
Profile StartedFrom(Profile profile, const TemplatePreset& preset);

// A template that nothing is lost in replacing: empty, the default one, or a
// preset's as it came.
bool IsStartingTemplate(const QString& templateText);
