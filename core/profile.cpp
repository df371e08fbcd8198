#include "core/profile.h"

RunwayUse Profile::runwayUse() const
{
    RunwayUse use;
    for (const Runway& runway : runways) {
        if (runway.landing)
            use.landing.append(runway.id);
        if (runway.departing)
            use.departing.append(runway.id);
    }
    use.visual = visual;
    use.lahso = lahso;
    return use;
}
