// The pairs file: who sees whom.
// Depends on: the standard library only. Opens no file: callers pass the stream.
//
// One pair of user names a line, separated by blanks or tabs; each of the two
// receives the other's latest picture. A user may be paired with itself and
// then receives its own. Blank lines and lines starting with '#' are skipped.
// Names are percent-decoded ("bob%20smith" is the user "bob smith"), so any
// name the client can send can be written. A user in two pairs is an error.
#pragma once

#include <istream>
#include <map>
#include <string>

using PartnerMap = std::map<std::string, std::string>;

// Fills `partners` (both directions of every pair); on a fault returns false
// with `error` naming the line.
bool read_pairs(std::istream& in, PartnerMap& partners, std::string& error);

// "%41" -> "A"; a '%' not followed by two hexadecimal digits stays as it is.
std::string percent_decode(const std::string& text);
