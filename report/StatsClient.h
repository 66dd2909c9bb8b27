#pragma once
#include <string>

#include "vd_config.h"

// Sends one report body by HTTP POST to the path of baseUrl (an http URL
// without a path, so the target is "/"), synchronously. Returns the number of
// response bytes read by a single read of at most 512 bytes, and puts them in
// *response when given; 0 when the request could not be sent. Waiting is
// bounded: a server that accepts and never answers costs a few seconds.
[[nodiscard]] int PostReport(const std::string& body, const char* baseUrl = VD_STATS_URL,
                             std::string* response = nullptr);
