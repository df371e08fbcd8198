#pragma once

#include <QString>

class AtisForm;

// The runways in use and the two operational flags as one line of the ATIS,
// the value of %runways%, read from the runway lists and check boxes as they
// stand now. Never ends with a blank; may be empty.
QString BuildRunwayPhrase(const AtisForm& form);
