#pragma once
// An absolute URL, or a bare path, taken apart the way the HTTP client needs it.
#include <string>

namespace trev {

struct UrlParts {
    std::string protocol;
    std::string username;
    std::string password;
    std::string host;
    std::string port;      // as written; empty when the URL has none
    std::string path;      // up to and including the last "/" before the query
    std::string document;
    std::string query;     // from its "?" (or "=") on, without the fragment
    std::string fragment;  // after "#"; never sent
};

// Backslashes count as "/". Without "://" the text is a bare path and document.
UrlParts parseUrl(std::string url);

}  // namespace trev
