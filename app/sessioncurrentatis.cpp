#include "app/sessioncurrentatis.h"

#include "core/atisengine.h"
#include "core/sessionstate.h"

std::optional<WindowAtis> SessionCurrentAtis::currentAtis() const
{
    const std::optional<ComposedAtis>& atis = m_engine.lastAtis();
    if (!atis)
        return std::nullopt;
    const TemplateValues& values = atis->values;
    return WindowAtis{values.icao, values.informationCode, values.metar.ObservationTime,
                      atis->text,  values.metar.Metar,     m_state.autoUpdating};
}
