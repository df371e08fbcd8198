#pragma once

#include <QString>

// The standard reason phrase of an HTTP status code, for servers that send
// none (HTTP/2 has no reason phrase at all). A code without a standard
// phrase is described by its class.
QString standardReasonPhrase(int status);
