#pragma once

#include <QString>

// The standard reason phrase of an HTTP status code, for servers that send
// none (HTTP/2 has no reason phrase at all). A code without a standard
// phrase is described by its class. The phrases are HTTP's own words, as a
// server sends them, and stay English like the ones servers send.
QString standardReasonPhrase(int status);
