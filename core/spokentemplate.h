#pragma once

#include "core/template.h"

#include <QString>

// The spoken form of ExpandTemplate's result: each %-variable spoken from its
// value; the radar client's $wind(), $altim() and $metar() of the current
// airport spoken from the decoded values; every other $-function left out,
// since only the radar client can fill it; each line one sentence.
QString SpeakTemplate(const QString& templateText, const TemplateValues& values);
